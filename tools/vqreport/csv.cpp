#include "tools/vqreport/csv.h"

#include <cstdio>

#include "tools/vqreport/printable.h"

namespace vqreport {

bool ToCp1252Text(const std::string& text, std::string& out, std::string& error) {
    const bool utf16 = text.compare(0, 2, "\xFF\xFE") == 0 || text.compare(0, 2, "\xFE\xFF") == 0;
    const bool bigEndian = utf16 && text[0] == '\xFE';
    std::size_t i = utf16 ? 2 : 0;
    std::uint32_t code = 0;
    if (!utf16) {
        while (i < text.size() && ReadUtf8(text, i, code)) {
        }
        if (i < text.size()) {
            out = text;
            return true;
        }
        i = 0;
    }
    const auto unit = [&](std::size_t at) -> std::uint32_t {
        const unsigned char a = static_cast<unsigned char>(text[at]), b = static_cast<unsigned char>(text[at + 1]);
        return bigEndian ? a << 8 | b : b << 8 | a;
    };
    std::int64_t line = 1;
    out.clear();
    while (i < text.size()) {
        if (!utf16) {
            ReadUtf8(text, i, code);
        } else if (i + 1 == text.size()) {
            error = "line " + std::to_string(line) + ": the UTF-16 text ends in half a character";
            return false;
        } else {
            code = unit(i);
            i += 2;
            if (code >= 0xD800 && code < 0xDC00 && i + 1 < text.size() && unit(i) >= 0xDC00 && unit(i) < 0xE000) {
                code = 0x10000 + ((code - 0xD800) << 10) + (unit(i) - 0xDC00);
                i += 2;
            }
        }
        char byte = 0;
        if (code == 0xFEFF && out.empty()) continue;  // a byte order mark
        if (!ToCp1252(code, byte)) {
            char name[16];
            std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
            error = "line " + std::to_string(line) + ": the character " + name +
                    " is not in the Windows character set (code page 1252) of the gauge's display";
            return false;
        }
        line += byte == '\n';
        out += byte;
    }
    return true;
}

namespace {

// The delimiter of the first row: the most frequent of ',' ';' and tab outside quotes.
char DetectDelimiter(const std::string& text, std::size_t start) {
    std::size_t commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (std::size_t i = start; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\n') break;
        commas += c == ',';
        semicolons += c == ';';
        tabs += c == '\t';
    }
    if (semicolons > commas && semicolons >= tabs) return ';';
    if (tabs > commas && tabs > semicolons) return '\t';
    return ',';
}

bool IsBlankRow(const CsvRow& row) {
    for (const std::string& cell : row.Cells) {
        if (cell.find_first_not_of(" \t") != std::string::npos) return false;
    }
    return true;
}

}  // namespace

bool ParseCsv(const std::string& route, CsvTable& table, std::string& error) {
    std::string text;
    if (!ToCp1252Text(route, text, error)) return false;
    std::size_t i = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) i = 3;
    table = CsvTable();
    table.Delimiter = DetectDelimiter(text, i);
    std::int64_t line = 1;
    CsvRow row;
    row.Line = line;
    std::string cell;
    bool cellQuoted = false;  // the cell started with a quote
    auto endCell = [&]() {
        row.Cells.push_back(cell);
        cell.clear();
        cellQuoted = false;
    };
    auto endRow = [&]() {
        endCell();
        if (!IsBlankRow(row)) table.Rows.push_back(row);
        row = CsvRow();
        row.Line = line;
    };
    while (i < text.size()) {
        const char c = text[i];
        if (c == '"' && cell.find_first_not_of(" \t") == std::string::npos && !cellQuoted) {
            // A quoted cell: up to the closing quote; "" is a quote.
            cell.clear();
            cellQuoted = true;
            const std::int64_t startLine = line;
            ++i;
            for (;;) {
                if (i >= text.size()) {
                    error = "line " + std::to_string(startLine) + ": a quoted cell is not closed";
                    return false;
                }
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        cell += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (text[i] == '\n') ++line;
                cell += text[i++];
            }
            // Only blanks may follow the closing quote within the cell.
            while (i < text.size() && (text[i] == ' ' || text[i] == '\t') && text[i] != table.Delimiter) ++i;
            if (i < text.size() && text[i] != table.Delimiter && text[i] != '\n' && text[i] != '\r') {
                error = "line " + std::to_string(line) + ": text after the closing quote of a cell";
                return false;
            }
            continue;
        }
        if (c == table.Delimiter) {
            endCell();
        } else if (c == '\n') {
            ++line;
            endRow();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            // part of the line end
        } else {
            cell += c;
        }
        ++i;
    }
    if (!cell.empty() || !row.Cells.empty() || cellQuoted) endRow();
    return true;
}

}  // namespace vqreport
