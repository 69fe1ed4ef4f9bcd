#include "persistence/reset.h"

#include "interface/state.h"
#include "persistence/recovery.h"
#include "persistence/report_store.h"
#include "platform/regional.h"
#include "report/report.h"

void ResetModuleState() {
    for (auto text : TReportHeader::Texts) (ReportHeader.*text).clear();
    ChkPointList.Clear();
    ChkPointList.Field1.clear();
    ChkPointList.Field2.clear();
    ChkPointList.StartFuel = 0.0;
    for (std::int32_t k = 0; k < ChkPointList.Capacity; ++k) {
        TChkPoint& slot = ChkPointList.Item(k);
        for (auto text : TChkPoint::Texts) (slot.*text).clear();
        slot.Latitude = 0.0;
        slot.Longitude = 0.0;
    }
    Active = 0;
    CurrentChkPoint = 0;
    GreetingTicks = 0;
    AltPage = 0;
    AtChkPoint = 0;
    ResetReportFileGuard();
    ResetRecoveryState();
    platform::ResetRegionalSettings();
}
