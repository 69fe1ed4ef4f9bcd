// A test with the module in this process, driven by the host double through
// its exported records, in a scratch directory.
#pragma once

#include <string>
#include <vector>

#include "gauge/gauge.h"
#include "tests/recording_host.h"
#include "report/report.h"
#include "tests/test_support.h"

namespace vqtest {

// A checkpoint for building reports in tests.
struct Leg {
    std::string Name;
    std::string Ident;
    double Latitude;
    double Longitude;
    std::string LegDistance;
    std::string PlannedLegTime;
};

class HostedTest : public ModuleTest {
protected:
    HostedTest() : Host(&Linkage, &ImportTable) {}

    // Puts a report with these checkpoints into memory (not into a file).
    void UseRoute(const std::vector<Leg>& legs) {
        ChkPointList.Clear();
        for (const Leg& leg : legs) {
            TChkPoint point;
            point.Name = leg.Name;
            point.Ident = leg.Ident;
            point.LegDistance = leg.LegDistance;
            point.PlannedLegTime = leg.PlannedLegTime;
            ChkPointList.Add(point);
            ChkPointList.Item(ChkPointList.Count - 1).Latitude = leg.Latitude;
            ChkPointList.Item(ChkPointList.Count - 1).Longitude = leg.Longitude;
        }
    }

    RecordingHost Host;
};

}  // namespace vqtest
