#include "host/vqsim/report_copy.h"

#include <cmath>

#include "report/report_file.h"

namespace vqsim {

bool ReadReportCopy(const std::string& path, const std::string& name, ReportCopy& report, std::string& error,
                    std::vector<std::string>* warnings) {
    const ReportFileRead read = ReadReportFile(path.c_str());
    if (!read.Opened) {
        error = "cannot open the report " + name;
        return false;
    }
    if (!read.Accepted) {
        error = name + " line 1: not a report file (the first line should read \"" + ReportHeaderText + "\")";
        return false;
    }
    ReportCopy copy;
    copy.Header = ReportHeader;
    for (std::int32_t k = 0; k < ChkPointList.Count; ++k) copy.Checkpoints.push_back(ChkPointList.Item(k));
    copy.StartFuel = ChkPointList.StartFuel;
    copy.Lines = read.Lines;
    copy.Whole = read.Whole;
    for (std::int32_t k = 0; k < ChkPointList.Count; ++k) {
        const TChkPoint& c = copy.Checkpoints[k];
        if (std::fabs(c.Latitude) <= 90.0 && std::fabs(c.Longitude) <= 180.0) continue;
        const bool latitude = std::fabs(c.Latitude) > 90.0;
        error = name + " line " + std::to_string(latitude ? copy.Lines.Latitude(k) : copy.Lines.Longitude(k)) +
                ": the " + (latitude ? "latitude " : "longitude ") + std::to_string(latitude ? c.Latitude : c.Longitude) +
                " is out of range (-" + (latitude ? "90 to 90)" : "180 to 180)");
        return false;
    }
    if (warnings && copy.Lines.Count > ChkPointCapacity) {
        warnings->push_back(name + ": the report lists " + std::to_string(copy.Lines.Count) +
                            " checkpoints; the gauge keeps the first " + std::to_string(ChkPointCapacity));
    } else if (warnings && !read.Whole) {
        warnings->push_back(name + ": the gauge does not take the report as written and keeps a copy of it before "
                            "its first save (vqreport check tells why)");
    }
    report = std::move(copy);
    return true;
}

}  // namespace vqsim
