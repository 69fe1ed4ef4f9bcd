// Small text helpers for vqreport's messages and conversions: field values
// shown safely, counts with their noun, UTF-8 and the Windows character set
// (code page 1252) that the gauge's display uses.
#pragma once

#include <cstdint>
#include <string>

namespace vqreport {

// `text` in double quotes, control characters and quotes escaped (\t, \x1a,
// \"), cut to `limit` characters with "..." after it when longer.
std::string Quoted(const std::string& text, std::size_t limit = 40);

// `text` with its control characters escaped (\t, \x1b), for printing to a
// terminal: an escape sequence from a report must not reach it.
std::string Printable(const std::string& text);

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

// Code page 1252 for the bytes 0x80 to 0x9F; the five it leaves undefined
// hold their own value, as Windows maps them.
extern const std::uint16_t Cp1252High[32];

// The code page 1252 byte of the character `code`; false when the code page
// has none (the five undefined bytes count as none).
bool ToCp1252(std::uint32_t code, char& byte);

}  // namespace vqreport
