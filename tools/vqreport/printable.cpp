#include "tools/vqreport/printable.h"

#include <charconv>

namespace vqreport {

std::string Quoted(const std::string& text, std::size_t limit) {
    std::string out = "\"";
    std::size_t shown = 0;
    for (char c : text) {
        if (shown == limit) {
            out += "...";
            break;
        }
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '\t') {
            out += "\\t";
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 32 || u == 127) {
            char hex[] = "\\x00";
            std::to_chars(hex + (u < 16 ? 3 : 2), hex + 4, u, 16);
            out += hex;
        } else {
            out += c;
        }
        ++shown;
    }
    return out + "\"";
}

std::string CountOf(std::int64_t n, const char* singular, const char* plural) {
    return std::to_string(n) + " " + (n == 1 ? singular : plural);
}

bool LooksLikeUtf8(const std::string& text) {
    bool multibyte = false;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        std::size_t length;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
        } else {
            return false;
        }
        if (i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        multibyte = true;
        i += length;
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

}  // namespace vqreport
