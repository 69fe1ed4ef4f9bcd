// Time texts and leg distances, read and written.
#include <cmath>
#include <limits>
#include <string_view>

#include "platform/regional.h"
#include "progress/time_text.h"
#include "tests/test_support.h"

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();

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

TEST_F(TimeTexts, ReadsTimesOfDayAndRefusesTheRestLeavingTheHours) {
    const struct {
        std::string_view Text;
        double Hours;
    } times[] = {{"07:45", 7.75},  {"7:45:59", 7.75},         {"  7 : 45  ", 7.75}, {"7", 7.0},
                 {"23:59", 23.0 + 59.0 / 60.0}, {"12:30 PM", 12.5}, {"am 12:15", 0.25}, {"1:00 pm", 13.0}};
    for (const auto& t : times) EXPECT_DOUBLE_EQ(Hours(t.Text), t.Hours) << t.Text;
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

// The plain "AM" beside a user's "A"; a user's morning "P" beside "PM", the plain "AM" beside a user's
// afternoon "AMX"; a user's morning "PM" against the plain one.
TEST_F(TimeTexts, TheLongestOfThePlainAndTheUserMarkersWinsEitherSideTheUsersOnATie) {
    const struct {
        const char *Morning, *Afternoon, *Text;
        double Hours;
    } cases[] = {{"A", "P", "7:45 AM", 7.75},     {"A", "P", "7:45 pm", 19.75},  {"A", "P", "7:45 a", 7.75},
                 {"A", "P", "p 7:45", 19.75},     {"A", "P", "AM 7:45", 7.75},   {"P", "AMX", "7:45 p", 7.75},
                 {"P", "AMX", "PM 7:45", 19.75},  {"P", "AMX", "7:45 am", 7.75}, {"P", "AMX", "amx 7:45", 19.75},
                 {"pm", "x", "7:45 PM", 7.75}};
    for (const auto& c : cases) {
        platform::RegionalSettings settings;
        settings.MorningMarker = c.Morning;
        settings.AfternoonMarker = c.Afternoon;
        platform::SetRegionalSettings(settings);
        EXPECT_DOUBLE_EQ(Hours(c.Text), c.Hours) << c.Morning << "/" << c.Afternoon << ": " << c.Text;
    }
}

TEST_F(TimeTexts, WritesHoursRoundedToTheMinuteForAnyDouble) {
    const struct {
        double Hours;
        const char* Duration;
        const char* Clock;
    } cases[] = {{0.0, "00:00", "00:00"},   {2.995, "03:00", "03:00"},     {7.75, "07:45", "07:45"},
                 {25.5, "25:30", "01:30"},  {49.25, "49:15", "01:15"},     {23.0 + 59.8 / 60.0, "24:00", "00:00"},
                 {-0.5, nullptr, "23:30"}, {std::nan(""), "00:00", "00:00"}, {Infinity, "2147483647:00", "00:00"},
                 {1e300, "2147483647:00", nullptr}, {-1e300, "-2147483648:00", nullptr}};
    for (const auto& c : cases) {
        if (c.Duration) {
            EXPECT_EQ(HoursToTimeText(c.Hours), c.Duration) << c.Hours;
        }
        if (c.Clock) {
            EXPECT_EQ(HoursToClockText(c.Hours), c.Clock) << c.Hours;
        }
    }
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

}  // namespace
