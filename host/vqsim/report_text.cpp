#include "host/vqsim/report_text.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace vqsim {

namespace {

const char* const HeaderLineText = "Vardemolinquex 2.0";

std::string Trimmed(const std::string& line) {
    std::size_t first = 0, last = line.size();
    while (first < last && static_cast<unsigned char>(line[first]) <= 32) ++first;
    while (last > first && static_cast<unsigned char>(line[last - 1]) <= 32) --last;
    return line.substr(first, last - first);
}

// Lines end at LF; a CR before the LF belongs to the line end.
std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::size_t stop = end;
        if (stop > start && bytes[stop - 1] == '\r') --stop;
        lines.push_back(bytes.substr(start, stop - start));
        start = end + 1;
    }
    return lines;
}

std::string Shown(const std::string& text) {
    return text.size() > 40 ? "'" + text.substr(0, 40) + "...'" : "'" + text + "'";
}

class LineCursor {
public:
    LineCursor(const std::vector<std::string>& lines, const std::string& name, std::string& error)
        : Lines(lines), Name(name), Error(error) {}

    int Number() const { return static_cast<int>(Next) + 1; }

    bool Text(std::string& out, const char* what) {
        if (!Have(what)) return false;
        out = Trimmed(Lines[Next++]);
        return true;
    }
    bool Skip(int count, const char* what) {
        for (int i = 0; i < count; ++i) {
            if (!Have(what)) return false;
            ++Next;
        }
        return true;
    }
    bool Count(int& out) {
        if (!Have("the checkpoint count")) return false;
        const std::string text = Trimmed(Lines[Next]);
        char* end = nullptr;
        errno = 0;
        long value = std::strtol(text.c_str(), &end, 10);
        if (text.empty() || *end != '\0' || errno != 0) {
            return Fail("the checkpoint count should be a whole number, found " + Shown(text));
        }
        ++Next;
        out = value < 0 ? 0 : value > 1000000 ? 1000000 : static_cast<int>(value);
        return true;
    }
    // An empty line reads as 0.0, as the module reads it.
    bool Number(double& out, const char* what, double limit) {
        if (!Have(what)) return false;
        const std::string text = Trimmed(Lines[Next]);
        double value = 0.0;
        if (!text.empty()) {
            char* end = nullptr;
            value = std::strtod(text.c_str(), &end);
            if (*end != '\0' || !std::isfinite(value)) return Fail(std::string(what) + " should be a number, found " + Shown(text));
            if (limit > 0.0 && std::fabs(value) > limit) {
                return Fail(std::string(what) + " " + text + " is out of range (-" + std::to_string(int(limit)) + " to " +
                            std::to_string(int(limit)) + ")");
            }
        }
        ++Next;
        out = value;
        return true;
    }
    bool Fail(const std::string& message) {
        Error = Name + " line " + std::to_string(Number()) + ": " + message;
        return false;
    }

private:
    bool Have(const char* what) {
        if (Next < Lines.size()) return true;
        Error = Name + " ends after line " + std::to_string(Lines.size()) + ", before " + what +
                " (the file is cut short; a report has one field per line)";
        return false;
    }
    const std::vector<std::string>& Lines;
    const std::string& Name;
    std::string& Error;
    std::size_t Next = 0;
};

}  // namespace

bool ParseReportText(const std::string& bytes, const std::string& name, ReportText& report, std::string& error,
                     std::vector<std::string>* warnings) {
    const std::vector<std::string> lines = SplitLines(bytes);
    if (lines.empty() || lines[0].find(HeaderLineText) == std::string::npos) {
        error = name + " line 1: not a report file (the first line should read \"" + HeaderLineText + "\")";
        return false;
    }
    ReportText read;
    LineCursor cursor(lines, name, error);
    cursor.Skip(1, "");
    for (auto& text : read.Header) {
        if (!cursor.Text(text, "the report header")) return false;
    }
    if (!cursor.Text(read.ListField1, "the route texts") || !cursor.Text(read.ListField2, "the route texts")) return false;
    if (!cursor.Count(read.DeclaredCount)) return false;
    const int kept = read.DeclaredCount > CheckpointCapacity ? CheckpointCapacity : read.DeclaredCount;
    if (read.DeclaredCount > CheckpointCapacity && warnings) {
        warnings->push_back(name + ": the report lists " + std::to_string(read.DeclaredCount) +
                            " checkpoints; the gauge keeps the first " + std::to_string(CheckpointCapacity));
    }
    read.Checkpoints.resize(kept);
    for (int k = 0; k < read.DeclaredCount; ++k) {
        if (k >= kept) {
            if (!cursor.Skip(15, "the checkpoint texts")) return false;
            continue;
        }
        RouteCheckpoint& c = read.Checkpoints[k];
        std::string* texts[15] = {&c.Name,    &c.Field02,     &c.Ident,          &c.Field04,          &c.AltIdent,
                                  &c.Field06, &c.Field07,     &c.Field08,        &c.Field09,          &c.LegDistance,
                                  &c.Field11, &c.PlannedLegTime, &c.ActualLegTime, &c.EstimatedArrival, &c.ActualArrival};
        for (std::string* text : texts) {
            if (!cursor.Text(*text, "the checkpoint texts")) return false;
        }
    }
    if (!cursor.Number(read.StartFuel, "the start fuel", 0.0)) return false;
    for (RouteCheckpoint& c : read.Checkpoints) {
        c.CoordinateLine = cursor.Number();
        if (!cursor.Number(c.Latitude, "a latitude", 90.0) || !cursor.Number(c.Longitude, "a longitude", 180.0)) return false;
    }
    report = std::move(read);
    return true;
}

bool ReadReportText(const std::string& path, ReportText& report, std::string& error, std::vector<std::string>* warnings) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read the report " + path + ": " + std::strerror(errno);
        return false;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return ParseReportText(bytes.str(), path, report, error, warnings);
}

}  // namespace vqsim
