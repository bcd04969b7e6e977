#include "text/ConverterCache.h"

#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>

#include "text/CodePage.h"

namespace tunelark {
namespace {

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

bool IsUnicodeEncoding(const char* name) {
    return std::strcmp(name, kUtf8ConverterName) == 0 ||
           std::strcmp(name, kUtf16ConverterName) == 0;
}

ConverterPtr OpenConverter(const char* name) {
    UErrorCode error = U_ZERO_ERROR;
    ConverterPtr converter(ucnv_open(name, &error));
    if (U_FAILURE(error)) return nullptr;
    // ICU's default substitution already writes U+FFFD for undecodable input; a legacy target
    // gets "?" (converted through the code page itself, so it is right for EBCDIC too). Unicode
    // targets keep U+FFFD for lone surrogates.
    if (!IsUnicodeEncoding(name)) {
        static constexpr UChar kQuestionMark[] = {u'?'};
        ucnv_setSubstString(converter.get(), kQuestionMark, 1, &error);
    }
    return converter;
}

}  // namespace

UConverter* CachedConverter(const char* name) {
    // A name ICU does not know is cached as nullptr, so it is tried only once per thread.
    thread_local std::unordered_map<std::string, ConverterPtr> converters;
    auto found = converters.find(name);
    if (found == converters.end()) found = converters.emplace(name, OpenConverter(name)).first;
    UConverter* converter = found->second.get();
    if (converter) ucnv_reset(converter);
    return converter;
}

UConverter* CodePageConverter(int codePage) {
    if (codePage == kCodePageAnsi || codePage == kCodePageGbk) {
        return CachedConverter(kGbkConverterName);
    }
    if (codePage == kCodePageUtf8) return CachedConverter(kUtf8ConverterName);
    const std::string number = std::to_string(codePage);
    for (const char* prefix : {"windows-", "ibm-"}) {
        if (UConverter* converter = CachedConverter((prefix + number).c_str())) return converter;
    }
    return CachedConverter(kGbkConverterName);
}

}  // namespace tunelark
