#include "report/report.h"

ReportText TReportHeader::* const TReportHeader::Texts[TReportHeader::TextCount] = {
    &TReportHeader::Field01,    &TReportHeader::Field02,     &TReportHeader::Field03,
    &TReportHeader::Field04,    &TReportHeader::Field05,     &TReportHeader::Field06,
    &TReportHeader::Field07,    &TReportHeader::DepartureTime, &TReportHeader::Field09,
    &TReportHeader::Field10,    &TReportHeader::Field11,     &TReportHeader::Field12,
    &TReportHeader::Field13,    &TReportHeader::Field14,     &TReportHeader::Field15,
    &TReportHeader::ArrivalTime, &TReportHeader::Field17,    &TReportHeader::Field18,
    &TReportHeader::Field19,    &TReportHeader::Field20,     &TReportHeader::Field21,
    &TReportHeader::FuelUsed,   &TReportHeader::ExtraFuel1,  &TReportHeader::ExtraFuel2,
    &TReportHeader::ExtraFuel3, &TReportHeader::TotalFuel,   &TReportHeader::FuelPerHour,
};

ReportText TChkPoint::* const TChkPoint::Texts[TChkPoint::TextCount] = {
    &TChkPoint::Name,        &TChkPoint::Field02,       &TChkPoint::Ident,
    &TChkPoint::Field04,     &TChkPoint::AltIdent,      &TChkPoint::Field06,
    &TChkPoint::Field07,     &TChkPoint::Field08,       &TChkPoint::Field09,
    &TChkPoint::LegDistance, &TChkPoint::Field11,       &TChkPoint::PlannedLegTime,
    &TChkPoint::ActualLegTime, &TChkPoint::EstimatedArrival, &TChkPoint::ActualArrival,
};

void TChkPointList::Clear() {
    Count = 0;
    Field3.clear();
}

void TChkPointList::Add(const TChkPoint& source) {
    if (Count >= Capacity) return;
    TChkPoint& slot = Items[Count];
    for (auto text : TChkPoint::Texts) slot.*text = source.*text;
    slot.Latitude = 0.0;
    slot.Longitude = 0.0;
    ++Count;
}

TChkPoint& TChkPointList::Item(std::int32_t index) {
    if (index < 0 || index >= Capacity) {
        for (auto text : TChkPoint::Texts) (Spare.*text).clear();
        Spare.Latitude = 0.0;
        Spare.Longitude = 0.0;
        return Spare;
    }
    return Items[index];
}

constinit TReportHeader ReportHeader;
constinit TChkPointList ChkPointList;
