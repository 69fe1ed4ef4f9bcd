// Time texts, leg distances and the plane distance.
#include <cmath>
#include <limits>
#include <string_view>

#include "platform/regional.h"
#include "progress/time_text.h"
#include "tests/test_support.h"

namespace {

// What a conversion reads from `text`; NaN when it refuses the text.
double Hours(std::string_view text) {
    double hours = std::nan("");
    return TimeTextToHours(text, hours) ? hours : std::nan("");
}
double Number(std::string_view text) {
    double value = std::nan("");
    return TextToFloat(text, value) ? value : std::nan("");
}

class TimeTexts : public vqtest::ModuleTest {};

TEST_F(TimeTexts, ReadsTimesOfDay) {
    EXPECT_DOUBLE_EQ(Hours("07:45"), 7.75);
    EXPECT_DOUBLE_EQ(Hours("7:45:59"), 7.75);
    EXPECT_DOUBLE_EQ(Hours("  7 : 45  "), 7.75);
    EXPECT_DOUBLE_EQ(Hours("7"), 7.0);
    EXPECT_DOUBLE_EQ(Hours("00:00"), 0.0);
    EXPECT_DOUBLE_EQ(Hours("23:59"), 23.0 + 59.0 / 60.0);
    EXPECT_DOUBLE_EQ(Hours("12:30 PM"), 12.5);
    EXPECT_DOUBLE_EQ(Hours("am 12:15"), 0.25);
    EXPECT_DOUBLE_EQ(Hours("1:00 pm"), 13.0);
}

TEST_F(TimeTexts, RefusesWhatIsNotATimeAndLeavesTheHours) {
    for (std::string_view text : {"24:00", "12:60", "7:45x", "", "--:--", "??", "7:", ":30", "13:00 PM", "0 AM",
                                  "7:45:60", "99999999999:00"}) {
        double hours = -1.0;
        EXPECT_FALSE(TimeTextToHours(text, hours)) << "accepted '" << text << "'";
        EXPECT_EQ(hours, -1.0) << text;
    }
}

TEST_F(TimeTexts, UserMarkersAndTheFixedSeparator) {
    platform::RegionalSettings settings;
    settings.MorningMarker = "vm";
    settings.AfternoonMarker = "nm";
    settings.TimeSeparator = '.';
    platform::SetRegionalSettings(settings);
    EXPECT_DOUBLE_EQ(Hours("2.30 nm"), 14.5);
    platform::FixTimeSeparator();
    EXPECT_DOUBLE_EQ(Hours("02:30 VM"), 2.5);
    EXPECT_TRUE(std::isnan(Hours("2.30")));
}

TEST_F(TimeTexts, WritesHoursRoundedToTheMinute) {
    EXPECT_EQ(HoursToTimeText(0.0), "00:00");
    EXPECT_EQ(HoursToTimeText(2.995), "03:00");
    EXPECT_EQ(HoursToTimeText(2.5), "02:30");
    EXPECT_EQ(HoursToTimeText(25.5), "25:30");
    EXPECT_EQ(HoursToTimeText(7.75), "07:45");
    // Any double is safe.
    EXPECT_EQ(HoursToTimeText(std::numeric_limits<double>::quiet_NaN()), "00:00");
    EXPECT_EQ(HoursToTimeText(std::numeric_limits<double>::infinity()), "2147483647:00");
    EXPECT_EQ(HoursToTimeText(1e300), "2147483647:00");
    EXPECT_EQ(HoursToTimeText(-1e300), "-2147483648:00");
}

TEST_F(TimeTexts, ClockTextsStayWithinTheDay) {
    EXPECT_EQ(HoursToClockText(24.5), "00:30");
    EXPECT_EQ(HoursToClockText(23.0 + 59.8 / 60.0), "00:00");
    EXPECT_EQ(HoursToClockText(49.25), "01:15");
    EXPECT_EQ(HoursToClockText(-0.5), "23:30");
    EXPECT_EQ(HoursToClockText(std::numeric_limits<double>::infinity()), "00:00");
}

TEST_F(TimeTexts, LegDistancesFollowTheUserDecimalSeparator) {
    EXPECT_DOUBLE_EQ(Number("150"), 150.0);
    EXPECT_DOUBLE_EQ(Number(" 12.5 "), 12.5);
    EXPECT_DOUBLE_EQ(Number("-1.5E2"), -150.0);
    for (std::string_view text : {"", "12,5", "abc", "1e999", "inf", "nan", "0x10", "12.5nm", "."}) {
        double value = -1.0;
        EXPECT_FALSE(TextToFloat(text, value)) << "accepted '" << text << "'";
        EXPECT_EQ(value, -1.0) << text;
    }
    platform::RegionalSettings comma;
    comma.DecimalSeparator = ',';
    platform::SetRegionalSettings(comma);
    EXPECT_DOUBLE_EQ(Number("12,5"), 12.5);
    EXPECT_TRUE(std::isnan(Number("12.5")));
}

TEST(PlanarDistance, IsTheStraightLineInThePlane) {
    EXPECT_DOUBLE_EQ(PlanarDistance(0.0, 0.0, 3.0, 4.0), 5.0);
    EXPECT_DOUBLE_EQ(PlanarDistance(60.0, 10.0, 60.0, 10.006), PlanarDistance(60.0, 10.006, 60.0, 10.0));
}

TEST(TruncateToInt32, HoldsEveryDoubleInRange) {
    EXPECT_EQ(TruncateToInt32(-2.9), -2);
    EXPECT_EQ(TruncateToInt32(589.4), 589);
    EXPECT_EQ(TruncateToInt32(900.0 - 310.6), 589);
    EXPECT_EQ(TruncateToInt32(3e9), 2147483647);
    EXPECT_EQ(TruncateToInt32(-3e9), -2147483647 - 1);
    EXPECT_EQ(TruncateToInt32(std::nan("")), 0);
}

}  // namespace
