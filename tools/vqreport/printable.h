// Small text helpers for vqreport's messages: field values shown safely in
// quotes, counts with their noun, and a test for UTF-8 encoded text.
#pragma once

#include <cstdint>
#include <string>

namespace vqreport {

// `text` in double quotes, control characters and quotes escaped (\t, \x1a,
// \"), cut to `limit` characters with "..." after it when longer.
std::string Quoted(const std::string& text, std::size_t limit = 40);

// "1 error", "2 errors".
std::string CountOf(std::int64_t n, const char* singular, const char* plural);

// True when `text` holds at least one multi-byte UTF-8 sequence and is valid
// UTF-8 throughout: a text a modern editor saved, which the gauge shows byte
// by byte.
bool LooksLikeUtf8(const std::string& text);

// True when `text` holds a control character (code below 32, or 127).
bool HasControlCharacter(const std::string& text);

}  // namespace vqreport
