#include "tools/vqreport/printable.h"

#include <charconv>

namespace vqreport {

namespace {

bool IsControl(unsigned char u) { return u < 32 || u == 127; }

void AppendEscaped(std::string& out, char c, bool quoting) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '\t') {
        out += "\\t";
    } else if (quoting && (c == '"' || c == '\\')) {
        out += '\\';
        out += c;
    } else if (IsControl(u)) {
        char hex[] = "\\x00";
        std::to_chars(hex + (u < 16 ? 3 : 2), hex + 4, u, 16);
        out += hex;
    } else {
        out += c;
    }
}

}  // namespace

const std::uint16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::string Quoted(const std::string& text, std::size_t limit) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == limit) {
            out += "...";
            break;
        }
        AppendEscaped(out, text[i], true);
    }
    return out + "\"";
}

std::string Printable(const std::string& text) {
    std::string out;
    for (char c : text) AppendEscaped(out, c, false);
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
        if (IsControl(static_cast<unsigned char>(c))) return true;
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
