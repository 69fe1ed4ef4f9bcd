#include "tools/vqreport/json.h"

#include <charconv>

#include "cli/numbers.h"
#include "navlog/shown.h"

namespace vqreport {

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
        if (navlog::IsEscaped(u)) {
            char hex[] = "\\u0000";
            std::to_chars(hex + (u < 16 ? 5 : 4), hex + 6, u, 16);
            out += hex;
        } else {
            navlog::AppendUtf8(out, navlog::FromCp1252(u));
        }
    }
    return out + "\"";
}

std::string JsonNumber(double value) { return cli::FixedText(value, 6); }

}  // namespace vqreport
