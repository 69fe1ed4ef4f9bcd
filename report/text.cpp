#include "report/text.h"

namespace {
bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= 32; }
}  // namespace

void TrimmedPart(const char* text, std::size_t length, std::size_t& first, std::size_t& count) {
    std::size_t start = 0;
    std::size_t end = length;
    while (start < end && IsTrimmed(text[start])) ++start;
    while (end > start && IsTrimmed(text[end - 1])) --end;
    first = start;
    count = end - start;
}
