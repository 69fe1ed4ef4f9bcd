// Numbers that the tools read and write for themselves (command-line values,
// route tables, the pilot's script, printed figures), by the standard
// library. Report fields that a tool must judge as the gauge does go through
// the module's own conversions instead (tools/vqreport/conversions.h).
#pragma once

#include <charconv>
#include <limits>
#include <string>
#include <string_view>

namespace cli {

// `text`, all of it, as a number from `low` to `high`: digits after an
// optional sign, for a floating-point `T` also with a fraction and an
// exponent ("12", "-0.5", "+1e3"). False for anything else, "inf" and "nan"
// included; `value` is then left alone.
template <typename T>
bool ReadNumber(std::string_view text, T& value, T low = std::numeric_limits<T>::lowest(),
                T high = std::numeric_limits<T>::max()) {
    if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
    T read{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), read);
    if (error != std::errc() || end != text.data() + text.size() || !(read >= low && read <= high)) return false;
    value = read;
    return true;
}

// `value` with `decimals` decimals (0 to 9), as printf's "%.*f" writes it.
inline std::string FixedText(double value, int decimals) {
    char text[330];
    return std::string(text, std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr);
}

}  // namespace cli
