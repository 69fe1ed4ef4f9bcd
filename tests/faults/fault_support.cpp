#include "tests/faults/fault_support.h"

#include <cstdio>

#include "interface/state.h"
#include "persistence/report_store.h"
#include "report/report.h"
#include "report/report_file.h"

namespace vqtest {

namespace {

DiskFaults Rules;
int Seen[10] = {};
std::vector<DiskStep> Steps;

bool FailsNow(std::uint32_t failing, int seen) { return seen <= 32 && (failing & DiskFaults::Nth(seen)) != 0; }

std::size_t Rule(platform::FileOperation operation, std::size_t size, const char* path, const char* other) {
    using Op = platform::FileOperation;
    Steps.push_back(DiskStep{operation, path ? path : "", other ? other : ""});
    if (Rules.Before) Rules.Before(Steps.back());
    const int seen = ++Seen[static_cast<int>(operation)];
    switch (operation) {
    case Op::Write: {
        const std::size_t allowed = size < Rules.SpaceLeft ? size : Rules.SpaceLeft;
        if (Rules.SpaceLeft != DiskFaults::Unlimited) Rules.SpaceLeft -= allowed;
        return allowed;
    }
    case Op::Create: return FailsNow(Rules.FailCreate, seen) ? 0 : 1;
    case Op::Flush: return FailsNow(Rules.FailFlush, seen) ? 0 : 1;
    case Op::Move: return FailsNow(Rules.FailMove, seen) ? 0 : 1;
    case Op::Exchange: return Rules.NoExchange ? 0 : Rules.FailReplace ? 2 : 1;
    case Op::Link: return Rules.NoLink ? 0 : Rules.FailReplace ? 2 : 1;
    case Op::SystemReplace: return Rules.NoSystemReplace ? 0 : Rules.FailReplace ? 2 : 1;
    case Op::Remove:
    case Op::SyncFolder:
    case Op::Open: return 1;
    }
    return 1;
}

void Field(std::string& out, const ReportText& text) {
    out += std::to_string(text.size());
    out += ':';
    out += Str(text);
    out += '|';
}

void Number(std::string& out, double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%a|", value);
    out += buffer;
}

}  // namespace

std::string DiskStep::Text() const {
    static const char* const names[] = {"Create", "Write", "Flush", "Move", "Remove", "SyncFolder", "Exchange",
                                        "Link", "SystemReplace", "Open"};
    return names[static_cast<int>(Operation)] + (" " + Path) + (Other.empty() ? "" : " " + Other);
}

DiskFaults RouteFaults(Route route) {
    DiskFaults faults;
    faults.NoExchange = faults.NoSystemReplace = route != Route::Best;
    faults.NoLink = route == Route::Moves;
    return faults;
}

const char* RouteName(Route route) {
    return route == Route::Best ? "best route" : route == Route::NoSwap ? "no swap" : "moves only";
}

InjectedDisk::InjectedDisk(const DiskFaults& faults) {
    Rules = faults;
    for (int& count : Seen) count = 0;
    Steps.clear();
    platform::InjectedFileFault = Rule;
}

InjectedDisk::~InjectedDisk() { platform::InjectedFileFault = nullptr; }

const std::vector<DiskStep>& InjectedDisk::Log() const { return Steps; }

std::string DescribeReport() {
    std::string out;
    for (auto text : TReportHeader::Texts) Field(out, ReportHeader.*text);
    Field(out, ChkPointList.Field1);
    Field(out, ChkPointList.Field2);
    Field(out, ChkPointList.Field3);
    Number(out, ChkPointList.StartFuel);
    out += std::to_string(ChkPointList.Count) + "|" + std::to_string(CurrentChkPoint) + "|";
    for (std::int32_t k = 0; k < ChkPointList.Count; ++k) {
        const TChkPoint& point = ChkPointList.Item(k);
        for (auto text : TChkPoint::Texts) Field(out, point.*text);
        Number(out, point.Latitude);
        Number(out, point.Longitude);
    }
    return out;
}

SaveFaultTest::SaveFaultTest() {
    WriteFile("tolvanix.rec", CrLfLines(NumberedReportLines(100)));
    LoadReport();
    // What a flight adds before the save.
    ReportHeader.ArrivalTime = "14:05";
    ReportHeader.FuelUsed = "2310";
    ChkPointList.Item(41).ActualArrival = "13:17";
    ChkPointList.Item(99).Latitude = 60.293411;
    CurrentChkPoint = 42;
    ReportGained();  // kept in the recovery file until a save writes it
    OldFile = ReadFile("tolvanix.rec");
    MemoryBefore = DescribeReport();
    WriteReportFile("reference.rec");
    WholeFile = ReadFile("reference.rec");
    RemoveForTest("reference.rec");
}

void SaveFaultTest::ExpectNothingLost(const std::string& where) {
    SCOPED_TRACE(where);
    EXPECT_EQ(ReadFile("tolvanix.rec"), OldFile) << "the old report file changed";
    EXPECT_EQ(DescribeReport(), MemoryBefore) << "the report in memory changed";
    EXPECT_EQ(ListDirectory(), (std::vector<std::string>{"tolvanix-recovery.rec", "tolvanix.rec"}));
}

void SaveFaultTest::ExpectNextSaveWritesItWhole() {
    SaveReport();
    EXPECT_EQ(ReadFile("tolvanix.rec"), WholeFile);
    EXPECT_EQ(ListDirectory(), std::vector<std::string>{"tolvanix.rec"});
    EXPECT_EQ(DescribeReport(), MemoryBefore);
}

}  // namespace vqtest
