// The fuel account through the host double.
#include <string_view>

#include "interface/state.h"
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
    std::vector<std::uint32_t> order;
    for (const auto& call : Host.Calls()) order.push_back(call.Token);
    EXPECT_EQ(order, (std::vector<std::uint32_t>{304, 305, 303}));
    EXPECT_FALSE(vqtest::Exists("tolvanix.rec")) << "storing the fuel does not save";
}

TEST_F(FuelAccount, WorkedExample) {
    Figures(900.0, 310.6, "10:15", "12:45");
    ReportHeader.ExtraFuel1 = "100";
    ReportHeader.ExtraFuel2 = "";
    ReportHeader.ExtraFuel3 = "lots";
    ComputeFuelFigures();
    EXPECT_EQ(ReportHeader.FuelUsed, "589");
    EXPECT_EQ(ReportHeader.TotalFuel, "689");
    EXPECT_EQ(ReportHeader.FuelPerHour, "235.60");
    EXPECT_NE(vqtest::ReadFile("tolvanix.rec").find("\r\n235.60\r\n"), std::string::npos);
}

TEST_F(FuelAccount, NegativeUseFlightOverMidnightAndRateFormats) {
    Figures(100.0, 150.5, "23:30", "01:00");
    ComputeFuelFigures();
    EXPECT_EQ(ReportHeader.FuelUsed, "-50");
    EXPECT_EQ(ReportHeader.FuelPerHour, "-33.33");

    Figures(0.0, 7.9, "10:00", "11:00");
    ComputeFuelFigures();
    EXPECT_EQ(ReportHeader.FuelUsed, "-7");
    EXPECT_EQ(ReportHeader.FuelPerHour, "-7.00");

    Figures(2147483647.0, 0.0, "10:00", "10:30");
    ComputeFuelFigures();
    EXPECT_EQ(ReportHeader.FuelPerHour, "4294967294.00") << "a long rate is written in full";
}

TEST_F(FuelAccount, ExtraFuelReadsAsWholeNumbers) {
    EXPECT_EQ(WholeNumberOrZero("  42"sv), 42);
    EXPECT_EQ(WholeNumberOrZero("-17"sv), -17);
    EXPECT_EQ(WholeNumberOrZero("$1F"sv), 31);
    EXPECT_EQ(WholeNumberOrZero("x10"sv), 16);
    EXPECT_EQ(WholeNumberOrZero("0X10"sv), 16);
    EXPECT_EQ(WholeNumberOrZero("-$10"sv), -16);
    EXPECT_EQ(WholeNumberOrZero("$FFFFFFFF"sv), -1);
    EXPECT_EQ(WholeNumberOrZero("2147483647"sv), 2147483647);
    EXPECT_EQ(WholeNumberOrZero("-2147483648"sv), -2147483647 - 1);
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
    EXPECT_EQ(ReportHeader.FuelUsed, "2147483647");
    EXPECT_EQ(ReportHeader.TotalFuel, "2147483647");
}

TEST_F(FuelAccount, MissingArrivalStopsBeforeTheRateAndTheSave) {
    Figures(900.0, 300.0, "10:15", "");
    ReportHeader.FuelPerHour = "old";
    ComputeFuelFigures();
    EXPECT_EQ(ReportHeader.FuelUsed, "600");
    EXPECT_EQ(ReportHeader.TotalFuel, "600");
    EXPECT_EQ(ReportHeader.FuelPerHour, "old");
    EXPECT_FALSE(vqtest::Exists("tolvanix.rec"));
}

TEST_F(FuelAccount, ZeroFlightTimeKeepsTheRateAndStillSaves) {
    Figures(900.0, 300.0, "10:15", "10:15");
    ReportHeader.FuelPerHour = "kept";
    ComputeFuelFigures();
    EXPECT_EQ(ReportHeader.FuelUsed, "600");
    EXPECT_EQ(ReportHeader.FuelPerHour, "kept");
    const std::string saved = vqtest::ReadFile("tolvanix.rec");
    EXPECT_NE(saved.find("\r\nkept\r\n"), std::string::npos);
    EXPECT_EQ(saved.find("inf"), std::string::npos);
}

}  // namespace
