#include "tools/vqreport/csv.h"

namespace vqreport {

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

bool ParseCsv(const std::string& text, CsvTable& table, std::string& error) {
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
