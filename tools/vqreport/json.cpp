#include "tools/vqreport/json.h"

#include <charconv>
#include <cstdint>

#include "cli/numbers.h"
#include "tools/vqreport/printable.h"

namespace vqreport {

namespace {

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        switch (c) {
        case '"': out += "\\\""; continue;
        case '\\': out += "\\\\"; continue;
        case '\t': out += "\\t"; continue;
        case '\n': out += "\\n"; continue;
        case '\r': out += "\\r"; continue;
        default: break;
        }
        if (u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0 && Cp1252High[u - 0x80] < 0xA0)) {
            char hex[] = "\\u0000";
            std::to_chars(hex + (u < 16 ? 5 : 4), hex + 6, u, 16);
            out += hex;
        } else if (u >= 0x80 && u < 0xA0) {
            AppendUtf8(out, Cp1252High[u - 0x80]);
        } else {
            AppendUtf8(out, u);
        }
    }
    return out + "\"";
}

std::string JsonNumber(double value) { return cli::FixedText(value, 6); }

}  // namespace vqreport
