// Reading the route table that vqreport new takes: CSV as spreadsheet programs
// write it, with ',' ';' or tab between the cells (whichever the first row
// uses), cells in double quotes where needed ("" for a quote inside), CR LF or
// LF line ends; in UTF-8 (with or without byte order mark), UTF-16 with its
// byte order mark, or the Windows character set (code page 1252), and read
// into that character set, which the gauge's display uses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vqreport {

struct CsvRow {
    std::int64_t Line = 0;           // line of the file where the row starts
    std::vector<std::string> Cells;  // as written, quotes removed
};

struct CsvTable {
    char Delimiter = ',';
    std::vector<CsvRow> Rows;  // blank rows left out
};

// The route text in code page 1252, the character set of the gauge's PC: a
// UTF-16 text with its byte order mark (a spreadsheet's "Unicode text") is
// decoded, a valid UTF-8 text converted, and any other taken as code page 1252
// already (a spreadsheet's CSV on Windows). False, with `error` naming the line,
// for a character that code page does not have.
bool ToCp1252Text(const std::string& text, std::string& out, std::string& error);

// Parses `route`, the bytes of the file. False, with `error` set ("line 4: a
// quoted cell is not closed"), when it is not CSV or holds a character that
// code page 1252 does not have.
bool ParseCsv(const std::string& route, CsvTable& table, std::string& error);

}  // namespace vqreport
