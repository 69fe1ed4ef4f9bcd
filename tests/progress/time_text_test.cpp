// Time texts, leg distances and the plane distance.
#include <cmath>
#include <limits>

#include "platform/regional.h"
#include "progress/conversion_error.h"
#include "progress/time_text.h"
#include "tests/test_support.h"

namespace {

class TimeTexts : public vqtest::ModuleTest {};

TEST_F(TimeTexts, ReadsTimesOfDay) {
    EXPECT_DOUBLE_EQ(TimeTextToHours("07:45"), 7.75);
    EXPECT_DOUBLE_EQ(TimeTextToHours("7:45:59"), 7.75);
    EXPECT_DOUBLE_EQ(TimeTextToHours("  7 : 45  "), 7.75);
    EXPECT_DOUBLE_EQ(TimeTextToHours("7"), 7.0);
    EXPECT_DOUBLE_EQ(TimeTextToHours("00:00"), 0.0);
    EXPECT_DOUBLE_EQ(TimeTextToHours("23:59"), 23.0 + 59.0 / 60.0);
    EXPECT_DOUBLE_EQ(TimeTextToHours("12:30 PM"), 12.5);
    EXPECT_DOUBLE_EQ(TimeTextToHours("am 12:15"), 0.25);
    EXPECT_DOUBLE_EQ(TimeTextToHours("1:00 pm"), 13.0);
}

TEST_F(TimeTexts, RefusesWhatIsNotATimeWithTheMessage) {
    for (const char* text : {"24:00", "12:60", "7:45x", "", "--:--", "??", "7:", ":30", "13:00 PM", "0 AM",
                             "7:45:60", "99999999999:00"}) {
        try {
            TimeTextToHours(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const ConversionError& error) {
            EXPECT_EQ(std::string(error.what()), "'" + std::string(text) + "' is not a valid time");
        }
    }
}

TEST_F(TimeTexts, UserMarkersAndTheFixedSeparator) {
    platform::RegionalSettings settings;
    settings.MorningMarker = "vm";
    settings.AfternoonMarker = "nm";
    settings.TimeSeparator = '.';
    platform::SetRegionalSettings(settings);
    EXPECT_DOUBLE_EQ(TimeTextToHours("2.30 nm"), 14.5);
    platform::FixTimeSeparator();
    EXPECT_DOUBLE_EQ(TimeTextToHours("02:30 VM"), 2.5);
    EXPECT_THROW(TimeTextToHours("2.30"), ConversionError);
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
    EXPECT_DOUBLE_EQ(TextToFloat("150"), 150.0);
    EXPECT_DOUBLE_EQ(TextToFloat(" 12.5 "), 12.5);
    EXPECT_DOUBLE_EQ(TextToFloat("-1.5E2"), -150.0);
    for (const char* text : {"", "12,5", "abc", "1e999", "inf", "nan", "0x10", "12.5nm", "."}) {
        try {
            TextToFloat(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const ConversionError& error) {
            EXPECT_EQ(std::string(error.what()), "'" + std::string(text) + "' is not a valid floating point value");
        }
    }
    platform::RegionalSettings comma;
    comma.DecimalSeparator = ',';
    platform::SetRegionalSettings(comma);
    EXPECT_DOUBLE_EQ(TextToFloat("12,5"), 12.5);
    EXPECT_THROW(TextToFloat("12.5"), ConversionError);
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
