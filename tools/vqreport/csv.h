// Reading the route table that vqreport new takes: CSV as spreadsheet programs
// write it, with ',' ';' or tab between the cells (whichever the first row
// uses), cells in double quotes where needed ("" for a quote inside), CR LF or
// LF line ends and an optional UTF-8 byte order mark.
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

// Parses `text`. False, with `error` set ("line 4: a quoted cell is not
// closed"), when the text is not CSV.
bool ParseCsv(const std::string& text, CsvTable& table, std::string& error);

}  // namespace vqreport
