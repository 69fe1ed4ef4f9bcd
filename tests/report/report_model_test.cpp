// The report globals and the checkpoint list's operations.
#include <memory>

#include "report/report.h"
#include "report/text.h"
#include "tests/test_support.h"

namespace {

using vqtest::ModuleTest;

TChkPoint Named(const std::string& name) {
    TChkPoint point;
    for (auto text : TChkPoint::Texts) point.*text = name + "-x";
    point.Name = name;
    point.Latitude = 51.5;
    point.Longitude = -0.5;
    return point;
}

class ReportModel : public ModuleTest {};

TEST_F(ReportModel, StartsEmptyWithAllSlots) {
    auto list = std::make_unique<TChkPointList>();  // 100 slots of 15 texts: kept off the stack
    EXPECT_EQ(list->Count, 0);
    EXPECT_EQ(list->Capacity, 100);
    EXPECT_EQ(list->StartFuel, 0.0);
    EXPECT_TRUE(list->Field1.empty() && list->Field2.empty() && list->Field3.empty());
    for (int k = 0; k < 100; ++k) {
        EXPECT_TRUE(list->Item(k).Name.empty());
        EXPECT_EQ(list->Item(k).Latitude, 0.0);
        EXPECT_EQ(list->Item(k).Longitude, 0.0);
    }
    TReportHeader header;
    for (auto text : TReportHeader::Texts) EXPECT_TRUE((header.*text).empty());
}

TEST_F(ReportModel, AddCopiesTextsButNotPosition) {
    TChkPoint source = Named("OKIPA");
    ChkPointList.Add(source);
    ASSERT_EQ(ChkPointList.Count, 1);
    TChkPoint& stored = ChkPointList.Item(0);
    for (auto text : TChkPoint::Texts) EXPECT_EQ(stored.*text, source.*text);
    EXPECT_EQ(stored.Latitude, 0.0);
    EXPECT_EQ(stored.Longitude, 0.0);

    source.Name = "CHANGED";
    EXPECT_EQ(ChkPointList.Item(0).Name, "OKIPA");
    stored.Ident = "NEW";
    EXPECT_EQ(ChkPointList.Item(0).Ident, "NEW");
    EXPECT_EQ(&ChkPointList.Item(ChkPointList.Count - 1), &stored);
}

TEST_F(ReportModel, ClearKeepsSlotsAndListFields) {
    for (int k = 0; k < 5; ++k) ChkPointList.Add(Named("P" + std::to_string(k)));
    for (int k = 0; k < 5; ++k) ChkPointList.Item(k).Latitude = k + 1.0;
    ChkPointList.Field1 = "f1";
    ChkPointList.Field2 = "f2";
    ChkPointList.Field3 = "f3";
    ChkPointList.StartFuel = 42.0;

    ChkPointList.Clear();
    ChkPointList.Add(Named("A"));
    ChkPointList.Add(Named("B"));

    EXPECT_EQ(ChkPointList.Count, 2);
    EXPECT_EQ(ChkPointList.Item(2).Name, "P2");
    EXPECT_EQ(ChkPointList.Item(4).Latitude, 5.0);
    EXPECT_EQ(ChkPointList.Field1, "f1");
    EXPECT_EQ(ChkPointList.Field2, "f2");
    EXPECT_TRUE(ChkPointList.Field3.empty());
    EXPECT_EQ(ChkPointList.StartFuel, 42.0);
}

TEST_F(ReportModel, FullListIgnoresAddAndOutsideIndexesGiveAnEmptySlot) {
    for (int k = 0; k < 101; ++k) ChkPointList.Add(Named("P" + std::to_string(k)));
    EXPECT_EQ(ChkPointList.Count, 100);
    EXPECT_EQ(ChkPointList.Item(99).Name, "P99");

    for (int index : {-1, 100, 2147483647}) {
        TChkPoint& spare = ChkPointList.Item(index);
        EXPECT_TRUE(spare.Name.empty());
        EXPECT_EQ(spare.Latitude, 0.0);
        spare.Name = "scribble";
        EXPECT_TRUE(ChkPointList.Item(index).Name.empty()) << "the spare slot is handed out clean";
    }
}

TEST(TrimText, RemovesControlCharactersAndBlanksAtBothEnds) {
    EXPECT_EQ(TrimText(std::string("  OKIPA \t\r\n")), "OKIPA");
    EXPECT_EQ(TrimText(std::string("\x01\x1f" "A B\x7f")), "A B\x7f");
    EXPECT_EQ(TrimText(std::string("\xe9t\xe9 ")), "\xe9t\xe9");
    EXPECT_EQ(TrimText(std::string(" \t ")), "");
    EXPECT_EQ(TrimText(std::string("a\0b", 3)), std::string("a\0b", 3));
    EXPECT_EQ(TrimText(std::string("\0x\0", 3)), "x");
}

}  // namespace
