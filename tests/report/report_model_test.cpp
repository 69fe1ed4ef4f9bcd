// The checkpoint list's operations and the trimming of the report's texts.
#include "report/report.h"
#include "report/text.h"
#include "tests/test_support.h"

namespace {

TChkPoint Named(const std::string& name) {
    TChkPoint point;
    for (auto text : TChkPoint::Texts) point.*text = name + "-x";
    point.Name = name;
    point.Latitude = 51.5;
    return point;
}

class ReportModel : public vqtest::ModuleTest {};

TEST_F(ReportModel, AddCopiesTheTextsNotThePositionAndClearKeepsSlotsAndListFields) {
    for (int k = 0; k < 5; ++k) ChkPointList.Add(Named("P" + std::to_string(k)));
    for (int k = 0; k < 5; ++k) ChkPointList.Item(k).Latitude = k + 1.0;
    ChkPointList.Field1 = "f1";
    ChkPointList.Field3 = "f3";
    ChkPointList.StartFuel = 42.0;
    ChkPointList.Clear();
    const TChkPoint source = Named("A");
    ChkPointList.Add(source);
    ASSERT_EQ(ChkPointList.Count, 1);
    for (auto text : TChkPoint::Texts) EXPECT_EQ(ChkPointList.Item(0).*text, source.*text);
    EXPECT_EQ(ChkPointList.Item(0).Latitude, 0.0);
    EXPECT_EQ(ChkPointList.Item(2).Name, "P2");
    EXPECT_EQ(ChkPointList.Item(4).Latitude, 5.0);
    EXPECT_EQ(ChkPointList.Field1, "f1");
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
    EXPECT_EQ(TrimText(std::string("\0x\0", 3)), "x");
}

}  // namespace
