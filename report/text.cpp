#include "report/text.h"

namespace {
bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= 32; }
}  // namespace

void AssignTrimmed(std::string& field, const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsTrimmed(text[first])) ++first;
    while (last > first && IsTrimmed(text[last - 1])) --last;
    field.assign(text, first, last - first);
}

std::string TrimText(const std::string& text) {
    std::string trimmed;
    AssignTrimmed(trimmed, text);
    return trimmed;
}
