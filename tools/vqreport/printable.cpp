#include "tools/vqreport/printable.h"

#include "navlog/shown.h"

namespace vqreport {

std::string Quoted(const std::string& text, std::size_t limit) {
    std::string shown = navlog::ShownText(text.substr(0, limit), "\"\\");
    return "\"" + shown + (text.size() > limit ? "..." : "") + "\"";
}

std::string Printable(const std::string& text) { return navlog::ShownText(text); }

std::string ShownName(const std::string& name) {
    std::string out;
    for (const char c : name) {
        const unsigned char u = static_cast<unsigned char>(c);
        out += u < 32 || u == 127 ? navlog::ShownText(std::string_view(&c, 1)) : std::string(1, c);
    }
    return out;
}

std::string CountOf(std::int64_t n, const char* singular, const char* plural) {
    return std::to_string(n) + " " + (n == 1 ? singular : plural);
}

bool ReadUtf8(const std::string& text, std::size_t& i, std::uint32_t& code) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    std::size_t length = c < 0x80 ? 1 : c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    std::uint32_t value = length == 1 ? c : c & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) return false;
        value = value << 6 | (next & 0x3F);
    }
    static const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < least[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    code = value;
    i += length;
    return true;
}

bool LooksLikeUtf8(const std::string& text) {
    bool multibyte = false;
    std::uint32_t code = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (!ReadUtf8(text, i, code)) return false;
        multibyte = multibyte || code >= 0x80;
    }
    return multibyte;
}

bool HasControlCharacter(const std::string& text) {
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 32 || u == 127) return true;
    }
    return false;
}

bool ToCp1252(std::uint32_t code, char& byte) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
        byte = static_cast<char>(code);
        return true;
    }
    for (int k = 0; k < 32; ++k) {
        if (Cp1252High[k] == code && code >= 0x100) {
            byte = static_cast<char>(0x80 + k);
            return true;
        }
    }
    return false;
}

}  // namespace vqreport
