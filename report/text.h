// Small text helpers shared by the report reader and the fuel account.
#pragma once

#include <cstddef>

#include "platform/fixed_text.h"

// The part of text[0, length) without its leading and trailing characters
// whose code is 32 or less (blanks, tabs, line ends, other control
// characters): it starts at `first` and has `count` characters. Inner
// characters and characters with codes 128 to 255 stay.
void TrimmedPart(const char* text, std::size_t length, std::size_t& first, std::size_t& count);

// Sets `field` to the trimmed part of text[0, length).
template <std::size_t Capacity>
void AssignTrimmed(FixedText<Capacity>& field, const char* text, std::size_t length) {
    std::size_t first = 0, count = 0;
    TrimmedPart(text, length, first, count);
    field.Assign(text + first, count);
}

// A trimmed copy of a string-like text (the tools' strings).
template <typename Text>
Text TrimText(const Text& text) {
    std::size_t first = 0, count = 0;
    TrimmedPart(text.data(), text.size(), first, count);
    return Text(text.data() + first, count);
}
