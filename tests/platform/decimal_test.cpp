// The report file's numbers are read and written without the C library where
// that is sure to be exact; these compare every such result with strtod and
// printf, on the values a report holds and on values chosen to be hard.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "platform/decimal.h"

namespace {

std::string Printf(double value, int decimals) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

double Strtod(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

double Read(const std::string& text) {
    double value = -1.0;
    EXPECT_EQ(platform::ReadDecimalPrefix(text.data(), text.size(), '.', value), text.size()) << text;
    return value;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(FormatFixed, WritesWhatPrintfWrites) {
    const double hard[] = {0.0, -0.0, 0.125, 0.375, 2.675, 1.005, -1e-9, 5e-7, 4.9999995e-7, 0.5e-6,
                           1234.5, 60.1939, 11.1004, -179.999999, 2.5e-7, 1e15, 4503599627.3704955,
                           9007199254.740991, 1e300, -1e-300, 1.7976931348623157e308, 4.94e-324};
    for (double value : hard) {
        for (int decimals : {0, 1, 2, 6, 9}) {
            EXPECT_EQ(platform::FormatFixed(value, decimals), Printf(value, decimals)) << value << " " << decimals;
        }
    }
    // Coordinates, fuel figures and rates, and doubles of every size.
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> degrees(-180.0, 180.0);
    std::uniform_int_distribution<std::uint64_t> bits;
    for (int i = 0; i < 20000; ++i) {
        const double coordinate = degrees(random);
        EXPECT_EQ(platform::FormatFixed(coordinate, 6), Printf(coordinate, 6));
        const double rounded = std::round(coordinate * 1e6) / 1e6;  // as read back from a file
        EXPECT_EQ(platform::FormatFixed(rounded, 6), Printf(rounded, 6));
        EXPECT_EQ(platform::FormatFixed(coordinate * 37.0, 2), Printf(coordinate * 37.0, 2));
        double any;
        const std::uint64_t pattern = bits(random);
        std::memcpy(&any, &pattern, sizeof any);
        if (std::isfinite(any)) {
            EXPECT_EQ(platform::FormatFixed(any, 6), Printf(any, 6)) << any;
        }
    }
}

TEST(ReadDecimalPrefix, ReadsWhatStrtodReads) {
    const char* hard[] = {"0", "-0", "-0.0", "+1.5", "1.", ".5", "60.193900", "999999999999999",
                          "9999999999999999", "0.000000000000001", "123456789.012345", "1e3", "2.5E-3",
                          "0000000000000000001.25", "179.999999", "-179.999999"};
    for (const char* text : hard) EXPECT_TRUE(SameBits(Read(text), Strtod(text))) << text;

    std::mt19937_64 random(20261207);
    std::uniform_int_distribution<int> digit(0, 9), length(1, 17), point(0, 17);
    for (int i = 0; i < 20000; ++i) {
        std::string text = random() % 2 ? "-" : "";
        const int digits = length(random);
        const int at = point(random);
        for (int d = 0; d < digits; ++d) {
            if (d == at) text += '.';
            text += static_cast<char>('0' + digit(random));
        }
        EXPECT_TRUE(SameBits(Read(text), Strtod(text))) << text;
    }
}

TEST(ReadDecimalPrefix, TakesOnlyTheNumberAndOtherSeparators) {
    double value = 0.0;
    EXPECT_EQ(platform::ReadDecimalPrefix("12,5 kg", 7, ',', value), 4u);
    EXPECT_EQ(value, 12.5);
    EXPECT_EQ(platform::ReadDecimalPrefix("12.5", 4, ',', value), 2u);
    EXPECT_EQ(value, 12.0);
    EXPECT_EQ(platform::ReadDecimalPrefix("-.e5", 4, '.', value), 0u);
    EXPECT_EQ(platform::ReadDecimalPrefix("7e", 2, '.', value), 1u);
    EXPECT_EQ(value, 7.0);
}

}  // namespace
