// Small text helpers shared by the report reader and the fuel account.
#pragma once

#include <string>

// A copy of `text` without its leading and trailing characters whose code is
// 32 or less (blanks, tabs, line ends, other control characters). Inner
// characters and characters with codes 128 to 255 stay.
std::string TrimText(const std::string& text);

// Sets `field` to TrimText(text), reusing the field's storage.
void AssignTrimmed(std::string& field, const std::string& text);
