#include "platform/time_of_day.h"

namespace platform {

namespace {

unsigned char Upper(unsigned char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; }

// Reads a time text character by character.
class TimeScanner {
public:
    TimeScanner(const char* text, std::size_t length) : Text(text), Length(length) {}

    void SkipBlanks() {
        while (Pos < Length && (Text[Pos] == ' ' || Text[Pos] == '\t')) ++Pos;
    }
    bool AtEnd() const { return Pos == Length; }
    bool Take(char c) {
        if (Pos < Length && Text[Pos] == c) {
            ++Pos;
            return true;
        }
        return false;
    }
    // Decimal digits; false when there are none. Large values are held at 1000.
    bool Number(int& value) {
        std::size_t start = Pos;
        value = 0;
        while (Pos < Length && Text[Pos] >= '0' && Text[Pos] <= '9') {
            if (value < 1000) value = value * 10 + (Text[Pos] - '0');
            ++Pos;
        }
        return Pos > start;
    }
    // The half of the day of the longest marker here, -1 for none.
    int Marker(const DayHalfMarker* markers, int count) {
        int half = -1;
        std::size_t longest = 0;
        for (int i = 0; i < count; ++i) {
            if (markers[i].Length > longest && Matches(markers[i])) {
                half = markers[i].Half;
                longest = markers[i].Length;
            }
        }
        Pos += longest;
        return half;
    }

private:
    bool Matches(const DayHalfMarker& marker) const {
        if (Length - Pos < marker.Length) return false;
        for (std::size_t i = 0; i < marker.Length; ++i) {
            if (Upper(static_cast<unsigned char>(Text[Pos + i])) != Upper(static_cast<unsigned char>(marker.Text[i]))) {
                return false;
            }
        }
        return true;
    }

    const char* Text;
    std::size_t Length;
    std::size_t Pos = 0;
};

}  // namespace

bool ReadTimeOfDay(const char* text, std::size_t length, char separator, const DayHalfMarker* markers, int count,
                   int& hour, int& minute) {
    TimeScanner scan(text, length);
    scan.SkipBlanks();
    int half = scan.Marker(markers, count);
    scan.SkipBlanks();
    int h = 0, m = 0, second = 0;
    if (!scan.Number(h)) return false;
    scan.SkipBlanks();
    if (scan.Take(separator)) {
        scan.SkipBlanks();
        if (!scan.Number(m)) return false;
        scan.SkipBlanks();
        if (scan.Take(separator)) {
            scan.SkipBlanks();
            if (!scan.Number(second)) return false;
            scan.SkipBlanks();
        }
    }
    if (half < 0) {
        half = scan.Marker(markers, count);
        scan.SkipBlanks();
    }
    if (!scan.AtEnd() || m > 59 || second > 59) return false;
    if (half < 0 ? h > 23 : h < 1 || h > 12) return false;
    hour = half < 0 ? h : h % 12 + 12 * half;
    minute = m;
    return true;
}

}  // namespace platform
