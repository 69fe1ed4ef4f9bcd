// What the user types: the options (the example flights use them) and the
// pilot's script.
#include <gtest/gtest.h>

#include "host/vqsim/options.h"
#include "host/vqsim/pilot.h"

namespace {

using vqsim::Options;
using vqsim::ParseOptions;

bool Parse(std::vector<std::string> args, Options& options, std::string& error) {
    return ParseOptions(args, options, error);
}

TEST(VqsimOptions, RefusesWhatCannotBeFlownWithAMessage) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"r.rec", "--sped", "400"}, "unknown option --sped"},
        {{"r.rec", "--speed"}, "--speed needs"},
        {{"r.rec", "--speed", "0"}, "is not a ground speed"},
        {{"r.rec", "--fuel", "1,-2,3"}, "none negative"},
        {{"r.rec", "--departure", "+0:10"}, "takes a clock time"},
        {{"r.rec", "--crash-at", "25:00"}, "is not a time"},
        {{"r.rec", "--quiet=yes"}, "takes no value"},
        {{"a.rec", "b.rec"}, "one report at a time"},
    };
    for (const auto& [args, message] : cases) {
        Options options;
        std::string error;
        EXPECT_FALSE(Parse(args, options, error)) << message;
        EXPECT_NE(error.find(message), std::string::npos) << "got: " << error;
    }
}

TEST(VqsimScript, ReadsClicksInTimeOrderAndKeepsTheFileOrderOfEqualTimes) {
    std::vector<vqsim::PilotEvent> events;
    std::string error;
    const std::string script =
        "# my pilot\n"
        "07:31 mark   # by hand\n"
        "\n"
        "07:30:00 switch\n"
        "+0:01 next\n"      // 07:29 start + 1 minute = 07:30
        "07:30 click 150 30\n"
        "07:40 face\n";
    ASSERT_TRUE(vqsim::ParseScript(script, "s.txt", 7 * 3600 + 29 * 60, events, error)) << error;
    std::vector<std::string> order;
    for (const auto& event : events) order.push_back(event.Command);
    EXPECT_EQ(order, (std::vector<std::string>{"switch", "next", "click", "mark", "face"}));
    EXPECT_EQ(events[2].X, 150);
    EXPECT_EQ(events[3].Note, "by hand");
    EXPECT_EQ(events[3].Second, 120);

    // What the default pilot prints reads back as the same clicks.
    std::vector<vqsim::PilotEvent> again;
    ASSERT_TRUE(vqsim::ParseScript(vqsim::FormatScript(events, 7 * 3600 + 29 * 60), "again", 7 * 3600 + 29 * 60, again, error));
    ASSERT_EQ(again.size(), events.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(again[i].Second, events[i].Second);
        EXPECT_EQ(again[i].Command, events[i].Command);
        EXPECT_EQ(again[i].X, events[i].X);
    }
}

TEST(VqsimScript, NamesTheLineItCannotRead) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"07:30 switch\n7.30 next\n", "s.txt line 2: '7.30' is not a time"},
        {"07:30 press\n", "line 1: unknown command 'press'"},
        {"07:30\n", "line 1: a command should follow"},
        {"07:30 click 10\n", "line 1: click needs the point"},
        {"07:30 next now\n", "line 1: unexpected 'now'"},
    };
    for (const auto& [script, message] : cases) {
        std::vector<vqsim::PilotEvent> events;
        std::string error;
        EXPECT_FALSE(vqsim::ParseScript(script, "s.txt", 0, events, error));
        EXPECT_NE(error.find(message), std::string::npos) << "got: " << error;
    }
}

}  // namespace
