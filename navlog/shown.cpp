#include "navlog/shown.h"

namespace navlog {

namespace {

bool Continues(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The byte offset after the first `characters` characters of `utf8`.
std::size_t Prefix(std::string_view utf8, std::size_t characters) {
    std::size_t i = 0;
    for (std::size_t n = 0; i < utf8.size(); ++n) {
        if (n == characters) break;
        ++i;
        while (i < utf8.size() && Continues(static_cast<unsigned char>(utf8[i]))) ++i;
    }
    return i;
}

}  // namespace

const std::uint16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::uint32_t FromCp1252(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? Cp1252High[byte - 0x80] : byte;
}

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
        return;
    }
    static const unsigned char lead[] = {0, 0xC0, 0xE0, 0xF0};
    int tail = code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
    out += static_cast<char>(lead[tail] | (code >> (6 * tail)));
    while (tail-- > 0) out += static_cast<char>(0x80 | ((code >> (6 * tail)) & 0x3F));
}

bool IsEscaped(unsigned char byte) {
    const std::uint32_t code = FromCp1252(byte);
    return code < 32 || code == 127 || (code >= 0x80 && code < 0xA0);  // C0, DEL, the five undefined
}

std::string ShownText(std::string_view cp1252, std::string_view alsoEscaped) {
    static const char hex[] = "0123456789abcdef";
    std::string out;
    out.reserve(cp1252.size());
    for (const char c : cp1252) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '\t') {
            out += "\\t";
        } else if (IsEscaped(byte)) {
            out += "\\x";
            out += hex[byte >> 4];
            out += hex[byte & 15];
        } else {
            if (alsoEscaped.find(c) != std::string_view::npos) out += '\\';
            AppendUtf8(out, FromCp1252(byte));
        }
    }
    return out;
}

bool HasEscapedByte(std::string_view cp1252) {
    for (const char c : cp1252) {
        if (IsEscaped(static_cast<unsigned char>(c))) return true;
    }
    return false;
}

std::size_t Width(std::string_view utf8) {
    std::size_t width = 0;
    for (const char c : utf8) width += !Continues(static_cast<unsigned char>(c));
    return width;
}

std::string Cut(std::string_view utf8, std::size_t width) {
    if (Width(utf8) <= width) return std::string(utf8);
    if (width == 0) return std::string();
    return std::string(utf8.substr(0, Prefix(utf8, width - 1))) + "\xE2\x80\xA6";
}

std::string PadRight(std::string_view utf8, std::size_t width) {
    std::string text = Cut(utf8, width);
    return text.append(width - Width(text), ' ');
}

std::string PadLeft(std::string_view utf8, std::size_t width) {
    const std::string text = Cut(utf8, width);
    return std::string(width - Width(text), ' ') + text;
}

bool HasPosition(const TChkPoint& point) { return !(point.Latitude == 0.0 && point.Longitude == 0.0); }

std::string ShownIdent(const TChkPoint& point) { return point.Ident.empty() ? point.AltIdent : point.Ident; }

std::string ShownFrequency(const TChkPoint& point) { return point.Ident.empty() ? point.Field06 : point.Field04; }

}  // namespace navlog
