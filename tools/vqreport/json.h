// Writing JSON for vqreport show --json: strings from the report's 8-bit
// texts, which the gauge shows in the Windows character set (code page 1252),
// converted to UTF-8 with every control character escaped.
#pragma once

#include <string>

namespace vqreport {

// `text` as a JSON string literal, quotes included.
std::string JsonString(const std::string& text);

// A coordinate or fuel figure as a JSON number, with the six decimals of the
// report file.
std::string JsonNumber(double value);

}  // namespace vqreport
