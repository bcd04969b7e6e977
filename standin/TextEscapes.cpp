#include "standin/TextEscapes.h"

#include <cctype>

namespace tunelark::standin {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void AppendHex(std::string& out, unsigned char byte) {
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
}

}  // namespace

std::string PercentEscape(std::string_view utf8) {
    std::string out;
    for (char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '%' || c == '\'' || c == '"' || c == '\\') {
            out += '%';
            AppendHex(out, byte);
        } else {
            out += c;
        }
    }
    return out;
}

std::string JsonEscape(std::string_view utf8) {
    std::string out;
    for (char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            out += "\\u00";
            AppendHex(out, byte);
        } else {
            out += c;
        }
    }
    return out;
}

std::string HtmlEscape(std::string_view utf8) {
    std::string out;
    for (char c : utf8) {
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string CallbackName(std::string_view requested, std::string_view fallback) {
    std::string name;
    for (char c : requested) {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$' || c == '.') {
            name += c;
        }
    }
    return name.empty() ? std::string(fallback) : name;
}

}  // namespace tunelark::standin
