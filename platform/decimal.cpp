#include "platform/decimal.h"

// Everything here is whole-number arithmetic on 32- and 64-bit values and on
// a small bignum on the stack: the doubles are taken apart and put together
// bit by bit, so the results do not depend on the floating-point unit's
// precision or rounding settings, and nothing of the C library is called.
// A double read is rounded once, from the exact value or from a value that
// rounds the same way; a double written is rounded once, from its exact value.

namespace platform {

namespace {

using std::int64_t;
using std::size_t;
using std::uint32_t;
using std::uint64_t;

constexpr uint64_t SignBit = uint64_t{1} << 63;
constexpr uint64_t InfinityBits = uint64_t{0x7FF} << 52;
constexpr uint64_t FractionMask = (uint64_t{1} << 52) - 1;

constexpr uint32_t PowersOfTen[] = {1,      10,      100,      1000,      10000,
                                    100000, 1000000, 10000000, 100000000, 1000000000};
// 5^13 is the largest power of five below 2^32.
constexpr int FivePowerStep = 13;
constexpr uint32_t PowersOfFive[] = {1,        5,         25,        125,        625,
                                     3125,     15625,     78125,     390625,     1953125,
                                     9765625,  48828125,  244140625, 1220703125};
// Whole numbers whose product with 10^k still fits in 64 bits: below 10^(19 - k).
constexpr uint64_t ShortLimits[] = {10000000000000000000u, 1000000000000000000, 100000000000000000,
                                    10000000000000000,     1000000000000000,    100000000000000,
                                    10000000000000,        1000000000000,       100000000000,
                                    10000000000,           1000000000,          100000000,
                                    10000000,              1000000,             100000,
                                    10000,                 1000,                100,
                                    10,                    1};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int LeadingZeros(uint64_t x) {  // x != 0
    const uint32_t high = static_cast<uint32_t>(x >> 32);
    return high != 0 ? __builtin_clz(high) : 32 + __builtin_clz(static_cast<uint32_t>(x));
}

double FromBits(uint64_t bits) {
    double value;
    __builtin_memcpy(&value, &bits, sizeof value);
    return value;
}

uint64_t ToBits(double value) {
    uint64_t bits;
    __builtin_memcpy(&bits, &value, sizeof bits);
    return bits;
}

// The double nearest to (significand + f) * 2^exponent, ties to even, where f
// is 0 without `sticky` and strictly between 0 and 1 with it. With `sticky`
// the significand has at least 55 bits, so that the bits shifted in below to
// normalise it lie below the rounding position. Handles subnormal results
// (rounded at their own last place), overflow to infinity and underflow to 0.
double RoundToDouble(uint64_t significand, int exponent, bool sticky, bool negative) {
    const int normalise = LeadingZeros(significand);
    significand <<= normalise;
    exponent -= normalise;
    // Now significand is in [2^63, 2^64); this is the exponent field of a normal result.
    const int field = exponent + 63 + 1023;
    uint64_t bits = InfinityBits;
    if (field < 2047) {
        // The low bits of the significand below the result's last place.
        const int dropped = field >= 1 ? 11 : 12 - field;
        if (dropped > 64) {
            bits = 0;  // below half the smallest subnormal
        } else {
            const uint64_t kept = dropped == 64 ? 0 : significand >> dropped;
            const uint64_t rest = dropped == 64 ? significand : significand & ((uint64_t{1} << dropped) - 1);
            const uint64_t half = uint64_t{1} << (dropped - 1);
            const bool up = rest > half || (rest == half && (sticky || (kept & 1) != 0));
            // A carry out of the 53 bits moves into the exponent field, up to infinity.
            bits = (static_cast<uint64_t>(field >= 1 ? field - 1 : 0) << 52) + kept + (up ? 1 : 0);
        }
    }
    return FromBits(bits | (negative ? SignBit : 0));
}

// A whole number of up to Capacity 32-bit limbs, least significant first;
// `used` counts the limbs up to the highest non-zero one (0 for zero). The
// largest number held is below 2^2700 (a read of 800 digits scaled for its
// division); the operations never write past Capacity.
struct Big {
    static constexpr int Capacity = 88;
    uint32_t limb[Capacity];
    int used;
};

void SetSmall(Big& x, uint64_t value) {
    x.limb[0] = static_cast<uint32_t>(value);
    x.limb[1] = static_cast<uint32_t>(value >> 32);
    x.used = (value >> 32) != 0 ? 2 : value != 0 ? 1 : 0;
}

int BitLength(const Big& x) { return x.used == 0 ? 0 : 32 * x.used - __builtin_clz(x.limb[x.used - 1]); }

void Trim(Big& x) {
    while (x.used > 0 && x.limb[x.used - 1] == 0) --x.used;
}

// x = x * factor + addend.
void MultiplyAdd(Big& x, uint32_t factor, uint32_t addend) {
    uint64_t carry = addend;
    for (int i = 0; i < x.used; ++i) {
        const uint64_t product = static_cast<uint64_t>(x.limb[i]) * factor + carry;
        x.limb[i] = static_cast<uint32_t>(product);
        carry = product >> 32;
    }
    if (carry != 0 && x.used < Big::Capacity) x.limb[x.used++] = static_cast<uint32_t>(carry);
}

// x = floor(x / divisor) for divisor > 0; returns the remainder.
uint32_t DivideSmall(Big& x, uint32_t divisor) {
    uint64_t remainder = 0;
    for (int i = x.used - 1; i >= 0; --i) {
        const uint64_t current = remainder << 32 | x.limb[i];
        const uint32_t quotient = static_cast<uint32_t>(current / divisor);  // remainder < divisor
        remainder = current - static_cast<uint64_t>(quotient) * divisor;
        x.limb[i] = quotient;
    }
    Trim(x);
    return static_cast<uint32_t>(remainder);
}

void ShiftLeft(Big& x, int bits) {
    if (x.used == 0 || bits <= 0) return;
    const int words = bits / 32;
    const int shift = bits % 32;
    const int used = x.used + words + (shift != 0 ? 1 : 0);
    if (used > Big::Capacity) return;
    // One loop from the top limb down, each from limbs i - words and the one
    // below it (no separate copy or fill the compiler would make a library call).
    for (int i = used - 1; i >= 0; --i) {
        const int from = i - words;
        const uint32_t high = from >= 0 && from < x.used ? x.limb[from] : 0;
        const uint32_t low = from >= 1 && from <= x.used ? x.limb[from - 1] : 0;
        x.limb[i] = shift == 0 ? high : high << shift | low >> (32 - shift);
    }
    x.used = used;
    Trim(x);
}

// x = floor(x / 2^bits); true when a non-zero bit was shifted out.
bool ShiftRight(Big& x, int bits) {
    if (bits <= 0) return false;
    const int words = bits / 32;
    const int shift = bits % 32;
    if (words >= x.used) {
        const bool lost = x.used != 0;
        x.used = 0;
        return lost;
    }
    bool lost = shift != 0 && (x.limb[words] << (32 - shift)) != 0;
    for (int i = 0; i < words; ++i) lost = lost || x.limb[i] != 0;
    for (int i = words; i < x.used; ++i) {
        const uint32_t high = i + 1 < x.used ? x.limb[i + 1] : 0;
        x.limb[i - words] = shift == 0 ? x.limb[i] : x.limb[i] >> shift | high << (32 - shift);
    }
    x.used -= words;
    Trim(x);
    return lost;
}

// The highest 64 bits of x (all of x when it is shorter), the power of two
// they stand for in `exponent`, and any lower non-zero bit added to `sticky`.
uint64_t Top64(const Big& x, int& exponent, bool& sticky) {
    const int length = BitLength(x);
    exponent = length > 64 ? length - 64 : 0;
    const int word = exponent / 32;
    const int shift = exponent % 32;
    auto at = [&x](int i) -> uint64_t { return i < x.used ? x.limb[i] : 0; };
    uint64_t top = at(word) | at(word + 1) << 32;
    if (shift != 0) {
        top = at(word) >> shift | at(word + 1) << (32 - shift) | at(word + 2) << (64 - shift);
        sticky = sticky || (x.limb[word] << (32 - shift)) != 0;
    }
    for (int i = 0; i < word; ++i) sticky = sticky || x.limb[i] != 0;
    return top;
}

// The digits of a number as read: the whole part, then the fraction.
struct Digits {
    const char* whole;
    size_t wholeCount;
    const char* fraction;
    size_t count;  // all the digits
    unsigned operator[](size_t k) const {
        return static_cast<unsigned>((k < wholeCount ? whole[k] : fraction[k - wholeCount]) - '0');
    }
};

// A read keeps at most this many significant digits. When more follow (some
// of them non-zero, as the last digit is), a digit 1 after the kept ones
// stands for them: every half-way point between two doubles, the point past
// which reads go to infinity included, has at most 767 significant digits,
// so no rounding boundary lies between the number read and the kept digits
// followed by 1.
constexpr size_t KeptDigits = 800;

// The value of `digits` (at most 19) times 10^exponent where the 64-bit
// arithmetic suffices: as a whole number below 2^64, or divided by 5^k for
// k <= 13 (and by 2^k in the exponent). False otherwise.
bool ReadShort(uint64_t digits, int64_t exponent, bool negative, double& value) {
    if (exponent >= 0) {
        if (exponent > 19 || digits >= ShortLimits[exponent]) return false;
        for (int64_t k = 0; k < exponent; ++k) digits *= 10;
        value = RoundToDouble(digits, 0, false, negative);
        return true;
    }
    if (exponent < -FivePowerStep) return false;
    const int k = static_cast<int>(-exponent);
    const uint32_t divisor = PowersOfFive[k];
    // floor(x * 2^32 / 5^k) for x = digits normalised to [2^63, 2^64), by
    // three 64-by-32-bit steps; the quotient is above 2^64, below 2^96.
    const int normalise = LeadingZeros(digits);
    const uint64_t x = digits << normalise;
    uint64_t remainder = x >> 32;
    const uint64_t q2 = remainder / divisor;
    remainder = (remainder - q2 * divisor) << 32 | static_cast<uint32_t>(x);
    const uint64_t q1 = remainder / divisor;
    remainder = (remainder - q1 * divisor) << 32;
    const uint64_t q0 = remainder / divisor;
    remainder -= q0 * divisor;
    const int shift = __builtin_clz(static_cast<uint32_t>(q2));  // q2 > 0
    const uint64_t high = q2 << 32 | q1;
    const uint64_t top = shift == 0 ? high : high << shift | q0 >> (32 - shift);
    const bool sticky = remainder != 0 || static_cast<uint32_t>(q0 << shift) != 0;
    value = RoundToDouble(top, -shift - normalise - k, sticky, negative);
    return true;
}

// The value of `kept` significant digits from `first`, followed by a digit 1
// when `truncated`, times 10^exponent, where the number of digits plus the
// exponent is within [-323, 309].
double ReadLong(const Digits& digits, size_t first, size_t kept, bool truncated, int exponent, bool negative) {
    Big x;
    x.used = 0;
    uint32_t chunk = 0;
    int inChunk = 0;
    for (size_t k = first; k < first + kept; ++k) {
        chunk = chunk * 10 + digits[k];
        if (++inChunk == 9) {
            MultiplyAdd(x, PowersOfTen[9], chunk);
            chunk = 0;
            inChunk = 0;
        }
    }
    if (inChunk > 0) MultiplyAdd(x, PowersOfTen[inChunk], chunk);
    if (truncated) MultiplyAdd(x, 10, 1);
    // x * 10^exponent = x * 5^exponent * 2^exponent.
    bool sticky = false;
    int top = 0;
    if (exponent >= 0) {
        // Below 10^309: at most 1027 bits.
        for (int k = exponent; k > 0; k -= FivePowerStep) {
            MultiplyAdd(x, PowersOfFive[k < FivePowerStep ? k : FivePowerStep], 0);
        }
        const uint64_t significand = Top64(x, top, sticky);
        return RoundToDouble(significand, top + exponent, sticky, negative);
    }
    // Divide x * 2^shift by 5^k, with x * 2^shift of 64 bits more than 5^k
    // (k * 2378 / 1024 is floor(k * log2(5)) or one more for k <= 1124), so
    // that the quotient has 63 to 65 bits; shifting right or dividing, any
    // non-zero remainder makes the result sticky.
    const int k = -exponent;
    const int shift = 64 + (k * 2378 >> 10) - BitLength(x);
    if (shift >= 0) {
        ShiftLeft(x, shift);
    } else {
        sticky = ShiftRight(x, -shift);
    }
    for (int left = k; left > 0; left -= FivePowerStep) {
        sticky = DivideSmall(x, PowersOfFive[left < FivePowerStep ? left : FivePowerStep]) != 0 || sticky;
    }
    const uint64_t significand = Top64(x, top, sticky);
    return RoundToDouble(significand, top - shift - k, sticky, negative);
}

// Writes v in decimal with at least `width` digits (zeros in front).
char* WriteDigits(char* out, uint32_t v, int width) {
    char reversed[10];
    int n = 0;
    do {
        reversed[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0 || n < width);
    while (n > 0) *out++ = reversed[--n];
    return out;
}

char* WriteWhole64(char* out, uint64_t v) {
    uint32_t groups[2];  // v < 2^64 < 10^20
    int n = 0;
    for (; v >= PowersOfTen[9]; v /= PowersOfTen[9]) groups[n++] = static_cast<uint32_t>(v % PowersOfTen[9]);
    out = WriteDigits(out, static_cast<uint32_t>(v), 1);
    while (n > 0) out = WriteDigits(out, groups[--n], 9);
    return out;
}

// Writes x in decimal (destroying it); x is below 2^1060, below 10^320.
char* WriteWholeBig(char* out, Big& x) {
    uint32_t groups[36];
    int n = 0;
    while (x.used > 2 && n < 36) groups[n++] = DivideSmall(x, PowersOfTen[9]);
    out = WriteWhole64(out, x.used == 0 ? 0 : x.used == 1 ? x.limb[0] : uint64_t{x.limb[1]} << 32 | x.limb[0]);
    while (n > 0) out = WriteDigits(out, groups[--n], 9);
    return out;
}

// units = m * scale * 2^e rounded to a whole number (ties to even), where
// that is done in 64-bit arithmetic: the value below 2^33 (e <= -20, so units
// stays below 2^63). False otherwise.
bool FixedUnitsShort(uint64_t m, int e, uint32_t scale, uint64_t& units) {
    if (m == 0) {
        units = 0;
        return true;
    }
    if (e > -20) return false;
    const unsigned k = static_cast<unsigned>(-e);
    // m * scale = high * 2^32 + low, below 2^83.
    const uint64_t lowProduct = (m & 0xFFFFFFFFu) * scale;
    const uint64_t high = (m >> 32) * scale + (lowProduct >> 32);
    const uint64_t low = static_cast<uint32_t>(lowProduct);
    bool above = false;  // the part shifted out is more than half
    bool tie = false;    // the part shifted out is exactly half
    if (k <= 32) {
        units = high << (32 - k) | low >> k;
        const uint64_t rest = low & ((uint64_t{1} << k) - 1);
        const uint64_t half = uint64_t{1} << (k - 1);
        above = rest > half;
        tie = rest == half;
    } else if (k - 32 < 64) {
        const unsigned j = k - 32;
        units = high >> j;
        const uint64_t rest = high & ((uint64_t{1} << j) - 1);
        const uint64_t half = uint64_t{1} << (j - 1);
        above = rest > half || (rest == half && low != 0);
        tie = rest == half && low == 0;
    } else {
        units = 0;  // below 2^83 / 2^96
    }
    if (above || (tie && (units & 1) != 0)) ++units;
    return true;
}

}  // namespace

std::size_t ReadDecimalPrefix(const char* text, std::size_t length, char separator, double& value) {
    value = 0.0;
    if (text == nullptr) return 0;
    size_t i = 0;
    const bool negative = i < length && text[i] == '-';
    if (i < length && (text[i] == '+' || text[i] == '-')) ++i;
    Digits digits{text + i, 0, text + i, 0};
    while (i < length && IsDigit(text[i])) ++i;
    digits.wholeCount = static_cast<size_t>(text + i - digits.whole);
    size_t fractionCount = 0;
    if (i < length && text[i] == separator) {
        size_t end = i + 1;
        while (end < length && IsDigit(text[end])) ++end;
        if (digits.wholeCount + (end - i - 1) > 0) {
            digits.fraction = text + i + 1;
            fractionCount = end - i - 1;
            i = end;
        }
    }
    digits.count = digits.wholeCount + fractionCount;
    if (digits.count == 0) return 0;

    // The exponent saturates far beyond any that still matters (the digits
    // of a text in memory cannot make up for 10^15).
    constexpr int64_t ExponentLimit = 1000000000000000;
    int64_t exponent = 0;
    if (i < length && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        const bool exponentNegative = j < length && text[j] == '-';
        if (j < length && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < length && IsDigit(text[j])) {
            for (; j < length && IsDigit(text[j]); ++j) {
                if (exponent < ExponentLimit) exponent = exponent * 10 + (text[j] - '0');
            }
            if (exponentNegative) exponent = -exponent;
            i = j;
        }
    }

    // The significant digits: from the first non-zero one to the last.
    size_t first = 0;
    while (first < digits.count && digits[first] == 0) ++first;
    if (first == digits.count) {
        value = FromBits(negative ? SignBit : 0);
        return i;
    }
    size_t last = digits.count - 1;
    while (digits[last] == 0) --last;
    const size_t count = last - first + 1;
    // The number is (those digits as a whole number) * 10^exponent, in
    // [10^(count - 1 + exponent), 10^(count + exponent)).
    exponent += static_cast<int64_t>(digits.count - 1 - last) - static_cast<int64_t>(fractionCount);
    const int64_t magnitude = static_cast<int64_t>(count) + exponent;
    if (magnitude > 309) {
        value = FromBits(InfinityBits | (negative ? SignBit : 0));  // at least 10^309
    } else if (magnitude < -323) {
        value = FromBits(negative ? SignBit : 0);  // below 10^-324, less than half the smallest subnormal
    } else {
        uint64_t whole = 0;
        if (count <= 19) {
            for (size_t k = first; k <= last; ++k) whole = whole * 10 + digits[k];
        }
        if (count > 19 || !ReadShort(whole, exponent, negative, value)) {
            // Past KeptDigits, a last digit 1 stands for the rest.
            const size_t kept = count < KeptDigits ? count : KeptDigits;
            const int keptExponent = static_cast<int>(magnitude - static_cast<int64_t>(kept)) - (count > kept ? 1 : 0);
            value = ReadLong(digits, first, kept, count > kept, keptExponent, negative);
        }
    }
    return i;
}

std::size_t FormatFixed(double value, int decimals, char* out) {
    if (decimals < 0) decimals = 0;
    if (decimals > 9) decimals = 9;
    uint64_t bits = ToBits(value);
    bool negative = (bits & SignBit) != 0;
    int field = static_cast<int>(bits >> 52 & 0x7FF);
    uint64_t m = bits & FractionMask;
    if (field == 0x7FF) {
        negative = false;  // not finite: written as 0
        field = 0;
        m = 0;
    }
    int e = -1074;  // |value| = m * 2^e
    if (field != 0) {
        m |= uint64_t{1} << 52;
        e = field - 1075;
    }

    char* p = out;
    if (negative) *p++ = '-';
    const uint32_t scale = PowersOfTen[decimals];
    uint32_t fraction;
    uint64_t units;
    if (FixedUnitsShort(m, e, scale, units)) {
        const uint64_t whole = units / scale;
        fraction = static_cast<uint32_t>(units - whole * scale);
        p = WriteWhole64(p, whole);
    } else {
        // m * scale * 2^e: below 2^1054 when e >= 0, a whole number; below 2^83 before the shift when e < 0.
        Big x;
        SetSmall(x, m);
        MultiplyAdd(x, scale, 0);
        if (e >= 0) {
            ShiftLeft(x, e);
        } else {
            // Round to a whole number, ties to even.
            const int k = -e;
            const bool half = k - 1 < 32 * x.used && (x.limb[(k - 1) / 32] >> ((k - 1) % 32) & 1) != 0;
            const bool belowHalf = ShiftRight(x, k - 1);
            ShiftRight(x, 1);
            if (half && (belowHalf || (x.used > 0 && (x.limb[0] & 1) != 0))) MultiplyAdd(x, 1, 1);
        }
        fraction = DivideSmall(x, scale);
        p = WriteWholeBig(p, x);
    }
    if (decimals > 0) {
        *p++ = '.';
        p = WriteDigits(p, fraction, decimals);
    }
    *p = '\0';
    return static_cast<size_t>(p - out);
}

std::size_t FormatWhole(std::int32_t value, char* out) {
    char* p = out;
    uint32_t magnitude = static_cast<uint32_t>(value);
    if (value < 0) {
        *p++ = '-';
        magnitude = 0u - magnitude;
    }
    p = WriteDigits(p, magnitude, 1);
    *p = '\0';
    return static_cast<size_t>(p - out);
}

}  // namespace platform
