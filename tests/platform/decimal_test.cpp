// The module reads and writes its numbers without the C library; these check
// the results on the exact half-way points between doubles (worked out here
// digit by digit) and on the edges of the range, on both builds. The report
// and time tests read the prefixes; the conversion fuzz target (fuzz/, run by
// tools/build-and-test.sh) compares both conversions with strtod and printf.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "platform/decimal.h"

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();

double Read(const std::string& text) {
    double value = -1.0;
    EXPECT_EQ(platform::ReadDecimalPrefix(text.data(), text.size(), '.', value), text.size()) << text;
    return value;
}

std::string Fixed(double value, int decimals) {
    char out[platform::FixedTextMaxChars + 1];
    const std::size_t length = platform::FormatFixed(value, decimals, out);
    EXPECT_EQ(length, std::strlen(out));
    return std::string(out, length);
}

std::uint64_t Bits(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double FromBits(std::uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Exact decimal texts of the point half-way between a positive double and
// the next one up, of a number just above it and of one just below (each
// past the 800 digits a read keeps).
struct HalfWay {
    std::string exact, above, below;
};

HalfWay HalfWayAbove(double value) {
    const std::uint64_t bits = Bits(value);
    const int field = static_cast<int>(bits >> 52);
    const std::uint64_t m = field == 0 ? bits : (bits & ((std::uint64_t{1} << 52) - 1)) | std::uint64_t{1} << 52;
    int power = (field == 0 ? -1074 : field - 1075) - 1;  // the point is (2m + 1) * 2^power
    // (2m + 1) * 2^power or (2m + 1) * 5^-power * 10^power, in base 10^9.
    std::vector<std::uint32_t> limbs{static_cast<std::uint32_t>((2 * m + 1) % 1000000000),
                                     static_cast<std::uint32_t>((2 * m + 1) / 1000000000)};
    const std::uint32_t factor = power >= 0 ? 2 : 5;
    for (int left = power >= 0 ? power : -power; left > 0; --left) {
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : limbs) {
            carry += std::uint64_t{limb} * factor;
            limb = static_cast<std::uint32_t>(carry % 1000000000);
            carry /= 1000000000;
        }
        if (carry != 0) limbs.push_back(static_cast<std::uint32_t>(carry));
    }
    std::string digits = std::to_string(limbs.back());
    for (std::size_t i = limbs.size() - 1; i-- > 0;) {
        const std::string group = std::to_string(limbs[i]);
        digits += std::string(9 - group.size(), '0') + group;
    }
    const int exponent = power >= 0 ? 0 : power;
    std::string lower = digits;
    std::size_t i = lower.size();
    while (lower[--i] == '0') lower[i] = '9';
    --lower[i];
    const std::string tail = "e" + std::to_string(exponent - 900);
    return {digits + "e" + std::to_string(exponent), digits + std::string(899, '0') + "1" + tail,
            lower + std::string(900, '9') + tail};
}

void ExpectHalfWayRounding(double value, bool negative) {
    const HalfWay texts = HalfWayAbove(value);
    const double next = FromBits(Bits(value) + 1);
    const double even = Bits(value) % 2 == 0 ? value : next;
    const std::string sign = negative ? "-" : "";
    const double factor = negative ? -1.0 : 1.0;
    EXPECT_EQ(Bits(Read(sign + texts.exact)), Bits(factor * even)) << value;
    EXPECT_EQ(Bits(Read(sign + texts.above)), Bits(factor * next)) << value;
    EXPECT_EQ(Bits(Read(sign + texts.below)), Bits(factor * value)) << value;
}

TEST(ReadDecimalPrefix, RoundsToNearestEvenAtTheEdges) {
    const std::string nines(400, '9');
    const struct {
        std::string text;
        double value;
    } cases[] = {
        {"-0.0e5", -0.0}, {"0e999999999999999999999", 0.0}, {"1.", 1.0}, {".5", 0.5}, {"0.1", 0x1.999999999999ap-4},
        {"9007199254740993.00000000000000000000000000000000000000000000000000001", 0x1.0000000000001p53},
        {"2.4703282292062327e-324", 0.0}, {"2.4703282292062328e-324", 0x0.0000000000001p-1022},
        {"1.797693134862315808e308", Infinity}, {"-1e99999999999999999999", -Infinity}, {nines + "e-92", 1e308},
        {"0." + std::string(100000, '0') + "1e100001", 1.0}, {std::string(100000, '1'), Infinity},
    };
    for (const auto& c : cases) EXPECT_EQ(Bits(Read(c.text)), Bits(c.value)) << c.text.substr(0, 60);

    // The exact half-way points above zero, the smallest subnormal, the
    // largest subnormal, the smallest normal, 2^53 and the largest double.
    for (double value : {0.0, 0x0.0000000000001p-1022, 0x0.fffffffffffffp-1022, 0x1p-1022, 1.0, 0x1p53, DBL_MAX}) {
        ExpectHalfWayRounding(value, false);
        ExpectHalfWayRounding(value, true);
    }
}

TEST(FormatFixed, WritesWhatPrintfWritesAndNoInfOrNan) {
    const struct {
        double value;
        int decimals;
        std::string text;
    } cases[] = {
        {-0.0, 6, "-0.000000"}, {-1e-9, 6, "-0.000000"}, {-0.5, 0, "-0"}, {1e23, 0, "99999999999999991611392"},
        {std::nan(""), 6, "0.000000"}, {-Infinity, 2, "0.00"},
        {Infinity, 0, "0"}, {1.25, -1, "1"}, {1.25, 12, "1.250000000"},
    };
    for (const auto& c : cases) EXPECT_EQ(Fixed(c.value, c.decimals), c.text) << c.value << " " << c.decimals;
    EXPECT_EQ(Fixed(-DBL_MAX, 9).size(), 320u);
}

}  // namespace
