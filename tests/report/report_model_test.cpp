// The checkpoint list at its bounds (its ordinary use is in every report test).
#include "report/report.h"
#include "tests/test_support.h"

namespace {

class ReportModel : public vqtest::ModuleTest {};

TEST_F(ReportModel, FullListIgnoresAddAndOutsideIndexesGiveAnEmptySlot) {
    TChkPoint point;
    for (int k = 0; k < 101; ++k) {
        point.Name = "P" + std::to_string(k);
        ChkPointList.Add(point);
    }
    EXPECT_EQ(ChkPointList.Count, 100);
    EXPECT_EQ(ChkPointList.Item(99).Name, "P99");
    for (int index : {-1, 100, 2147483647}) {
        TChkPoint& spare = ChkPointList.Item(index);
        EXPECT_TRUE(spare.Name.empty());
        spare.Name = "scribble";
        spare.Latitude = 1.0;
        EXPECT_TRUE(ChkPointList.Item(index).Name.empty()) << "the spare slot is handed out clean";
        EXPECT_EQ(ChkPointList.Item(index).Latitude, 0.0);
    }
}

}  // namespace
