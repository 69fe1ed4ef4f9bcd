#include "gauge/mouse.h"

#include "interface/fpu.h"
#include "interface/state.h"
#include "persistence/report_store.h"
#include "progress/fuel.h"
#include "progress/timing.h"
#include "report/report.h"
#include "report/report_file.h"

namespace {

constexpr std::uint32_t LeftClick = 0x20000000;

// Runs a command in the module's floating-point state; the host is told 1.
template <typename Work>
std::uint32_t Command(Work work) {
    HostFloatingPointScope scope;
    work();
    return 1;
}

}  // namespace

MouseArea MouseAreaList[MouseAreaCount] = {
    {1, 0, 0, 0, 0, 255, 0, 0, 0, nullptr, 0},
    {2, 0, 0, 320, 60, 0, 0, 0, 65536, nullptr, 0},
    {2, 24, 12, 16, 15, 1, 0, LeftClick, 0, NextChkPoint, 0},
    {2, 24, 32, 16, 15, 2, 0, LeftClick, 0, PrevChkPoint, 0},
    {2, 301, 12, 16, 15, 5, 0, LeftClick, 0, SwitchOnOff, 0},
    {2, 276, 12, 16, 15, 5, 0, LeftClick, 0, StoreFuelOnBoard, 0},
    {2, 276, 32, 16, 15, 5, 0, LeftClick, 0, ComputeFuelSummary, 0},
    {2, 301, 32, 16, 15, 5, 0, LeftClick, 0, MarkChkPoint, 0},
    {2, 48, 9, 200, 48, 5, 0, LeftClick, 0, ToggleAltPage, 0},
    {3, 0, 0, 0, 0, 255, 0, 0, 0, nullptr, 0},
    {0, 0, 0, 0, 0, 255, 0, 0, 0, nullptr, 0},
};

void StartFromLoad(LoadOutcome outcome) {
    if (outcome == LoadOutcome::Loaded) CurrentChkPoint = 0;
    if (outcome == LoadOutcome::TakenUp) {
        // A flight taken up after a crash goes on where it was: the first
        // checkpoint not yet reached, with no arrival marked.
        CurrentChkPoint = FirstUnflownCheckpoint();
        AtChkPoint = 0;
    }
}

std::uint32_t VQ_STDCALL NextChkPoint(std::uint32_t, std::uint32_t) {
    return Command([] {
        if (ChkPointList.Count == 0) return;
        ++CurrentChkPoint;
        if (CurrentChkPoint >= ChkPointList.Count || CurrentChkPoint < 0) CurrentChkPoint = 0;
    });
}

std::uint32_t VQ_STDCALL PrevChkPoint(std::uint32_t, std::uint32_t) {
    return Command([] {
        if (ChkPointList.Count == 0) return;
        --CurrentChkPoint;
        if (CurrentChkPoint < 0 || CurrentChkPoint >= ChkPointList.Count) CurrentChkPoint = ChkPointList.Count - 1;
    });
}

std::uint32_t VQ_STDCALL SwitchOnOff(std::uint32_t, std::uint32_t) {
    return Command([] {
        Active = Active == 0 ? 1 : 0;
        if (Active == 1) {
            StartFromLoad(LoadReport());
        } else {
            SaveReport();
            AltPage = 0;
            GreetingTicks = 0;
        }
    });
}

std::uint32_t VQ_STDCALL StoreFuelOnBoard(std::uint32_t, std::uint32_t) {
    return Command([] {
        if (Active == 1) {
            RecordStartFuel();
            ReportGained();
        }
    });
}

std::uint32_t VQ_STDCALL ComputeFuelSummary(std::uint32_t, std::uint32_t) {
    return Command([] {
        if (Active == 1) ComputeFuelFigures();
    });
}

std::uint32_t VQ_STDCALL MarkChkPoint(std::uint32_t, std::uint32_t) {
    return Command([] {
        if (Active == 1 && CurrentChkPoint > 0) StampCurrentCheckpoint();
    });
}

std::uint32_t VQ_STDCALL ToggleAltPage(std::uint32_t, std::uint32_t) {
    return Command([] {
        if (Active == 1) AltPage = AltPage == 0 ? 1 : 0;
    });
}
