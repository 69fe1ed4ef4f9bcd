// The fuel account through the host double.
#include <string_view>

#include "progress/fuel.h"
#include "report/report_file.h"
#include "tests/host_double.h"

namespace {

using namespace std::string_view_literals;

class FuelAccount : public vqtest::HostedTest {
protected:
    void Figures(double startFuel, double fuelNow, const std::string& departure, const std::string& arrival) {
        ChkPointList.StartFuel = startFuel;
        Host.SetFuel(fuelNow, 0.0, 0.0);
        ReportHeader.DepartureTime = departure;
        ReportHeader.ArrivalTime = arrival;
    }
};

TEST_F(FuelAccount, StartFuelIsTheSumOfTheThreeTanks) {
    Host.SetFuel(400.25, 300.5, 199.25);
    RecordStartFuel();
    EXPECT_DOUBLE_EQ(ChkPointList.StartFuel, 900.0);
    EXPECT_FALSE(vqtest::Exists("tolvanix.rec")) << "storing the fuel does not save";
}

TEST_F(FuelAccount, WorkedExampleWithEveryExtraFuelFigure) {
    Figures(900.0, 310.6, "10:15", "12:45");
    ReportHeader.ExtraFuel1 = "100";
    ReportHeader.ExtraFuel2 = "lots";
    ReportHeader.ExtraFuel3 = "$B";
    ComputeFuelFigures();
    EXPECT_EQ(ReportHeader.FuelUsed, "589");
    EXPECT_EQ(ReportHeader.TotalFuel, "700");
    EXPECT_EQ(ReportHeader.FuelPerHour, "235.60");
    EXPECT_NE(vqtest::ReadFile("tolvanix.rec").find("\r\n235.60\r\n"), std::string::npos);
}

TEST_F(FuelAccount, NegativeUseFlightOverMidnightAndRateFormats) {
    const struct {
        double Start, Now;
        const char *Departure, *Arrival, *Used, *PerHour;
    } cases[] = {{100.0, 150.5, "23:30", "01:00", "-50", "-33.33"},
                 {0.0, 7.9, "10:00", "11:00", "-7", "-7.00"},
                 {2147483647.0, 0.0, "10:00", "10:30", "2147483647", "4294967294.00"}};
    for (const auto& c : cases) {
        Figures(c.Start, c.Now, c.Departure, c.Arrival);
        ComputeFuelFigures();
        EXPECT_EQ(ReportHeader.FuelUsed, c.Used);
        EXPECT_EQ(ReportHeader.FuelPerHour, c.PerHour);
    }
}

TEST_F(FuelAccount, ExtraFuelReadsAsWholeNumbers) {
    const struct {
        std::string_view Text;
        std::int32_t Value;
    } cases[] = {{"  42", 42}, {"-17", -17}, {"$1F", 31}, {"x10", 16}, {"0X10", 16}, {"-$10", -16},
                 {"$FFFFFFFF", -1}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}};
    for (const auto& c : cases) EXPECT_EQ(WholeNumberOrZero(c.Text), c.Value) << c.Text;
    for (std::string_view text : {"", "12 ", "1.5", "2147483648", "$", "0x", "$123456789", "ten", "- 5"}) {
        EXPECT_EQ(WholeNumberOrZero(text), 0) << text;
    }
}

TEST_F(FuelAccount, TotalNeverOverflows) {
    Figures(-3e9, 0.0, "10:00", "11:00");
    ReportHeader.ExtraFuel1 = "-2147483648";
    ComputeFuelFigures();
    EXPECT_EQ(ReportHeader.FuelUsed, "-2147483648");
    EXPECT_EQ(ReportHeader.TotalFuel, "-2147483648");

    Figures(3e9, 0.0, "10:00", "11:00");
    ReportHeader.ExtraFuel1 = "2147483647";
    ReportHeader.ExtraFuel2 = "$7FFFFFFF";
    ComputeFuelFigures();
    EXPECT_EQ(ReportHeader.TotalFuel, "2147483647");
}

TEST_F(FuelAccount, MissingArrivalStopsBeforeTheRateAndTheSaveZeroFlightTimeOnlyBeforeTheRate) {
    Figures(900.0, 300.0, "10:15", "");
    ReportHeader.FuelPerHour = "old";
    ComputeFuelFigures();
    EXPECT_EQ(ReportHeader.TotalFuel, "600");
    EXPECT_EQ(ReportHeader.FuelPerHour, "old");
    EXPECT_FALSE(vqtest::Exists("tolvanix.rec"));

    Figures(900.0, 300.0, "10:15", "10:15");
    ComputeFuelFigures();
    EXPECT_EQ(ReportHeader.FuelPerHour, "old");
    EXPECT_NE(vqtest::ReadFile("tolvanix.rec").find("\r\nold\r\n"), std::string::npos);
}

}  // namespace
