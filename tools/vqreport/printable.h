// Small text helpers for vqreport's messages and conversions: field values
// shown safely, counts with their noun, UTF-8 and the Windows character set
// (code page 1252) that the gauge's display uses. vqreport writes UTF-8;
// output.h puts it into the reader's character set.
#pragma once

#include <cstdint>
#include <string>

#include "navlog/shown.h"

namespace vqreport {

// A report text (code page 1252) in double quotes, in UTF-8, control
// characters, the five undefined bytes, quotes and backslashes escaped (\t,
// \x1a, \x81, \"), cut to `limit` characters with "..." after it when longer.
std::string Quoted(const std::string& text, std::size_t limit = 40);

// A report text in UTF-8 with its control characters and undefined bytes
// escaped (\t, \x1b, \x81), for printing to a terminal: an escape sequence
// from a report must not reach it.
std::string Printable(const std::string& text);

// A file name as given, with its control characters escaped; its other
// bytes are kept, in the character set the system gave them in.
std::string ShownName(const std::string& name);

// "1 error", "2 errors".
std::string CountOf(std::int64_t n, const char* singular, const char* plural);

// Reads the UTF-8 sequence at text[i] into `code` and moves `i` past it.
// False, leaving `i`, when it is not valid UTF-8 (a stray byte, a cut, overlong
// or surrogate sequence, a code above U+10FFFF).
bool ReadUtf8(const std::string& text, std::size_t& i, std::uint32_t& code);

// True when `text` holds at least one multi-byte UTF-8 sequence and is valid
// UTF-8 throughout: a text a modern editor saved, which the gauge shows byte
// by byte.
bool LooksLikeUtf8(const std::string& text);

// True when `text` holds a control character (code below 32, or 127).
bool HasControlCharacter(const std::string& text);

using navlog::Cp1252High;

// The code page 1252 byte of the character `code`; false when the code page
// has none (the five undefined bytes count as none).
bool ToCp1252(std::uint32_t code, char& byte);

}  // namespace vqreport
