#pragma once

#include "text/Text.h"

namespace tunelark {

// Code page numbers as the system names them. 0 is the system's ANSI code page, which is GBK
// by design.
inline constexpr int kCodePageAnsi = 0;
inline constexpr int kCodePageGbk = 936;
inline constexpr int kCodePageUtf8 = 65001;

// None of these fail: invalid input becomes replacement characters, characters the target
// cannot hold become its default character ("?" for GBK). An empty input gives an empty output.

// GBK -> UTF-16 with one zero unit at the end unless withoutTerminator; "" -> "".
[[nodiscard]] Utf16Bytes GbkToUtf16(const Text& text, bool withoutTerminator = false);
// UTF-16 (terminated or not) -> GBK, first joining each base character with the combining
// marks after it into the precomposed character where Unicode has one.
[[nodiscard]] Text Utf16ToGbk(const Utf16Bytes& bytes);
// Text in codePage -> UTF-16 with terminator.
[[nodiscard]] Utf16Bytes CodePageToUtf16(const std::string& text, int codePage = kCodePageUtf8);
// UTF-16 up to its first zero unit -> text in codePage.
[[nodiscard]] std::string Utf16ToCodePage(const Utf16Bytes& bytes, int codePage = kCodePageAnsi);
// UTF-8 bytes -> GBK.
[[nodiscard]] Text Utf8ToGbk(const std::string& utf8);

// The edges to the host (file names, terminal, network) speak UTF-8.
[[nodiscard]] std::string GbkToUtf8(const Text& text);

}  // namespace tunelark
