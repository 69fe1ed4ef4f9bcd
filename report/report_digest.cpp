#include "report/report_digest.h"

#include "platform/decimal.h"
#include "platform/text_file.h"
#include "report/field_walk.h"
#include "report/report_file.h"
#include "report/report_format.h"

namespace {

std::uint64_t TextHash(const char* text, std::size_t length) {
    std::uint64_t hash = 0xcbf29ce484222325ull;  // FNV-1a
    for (std::size_t i = 0; i < length; ++i) {
        hash ^= static_cast<unsigned char>(text[i]);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

std::uint64_t Mix(std::uint64_t x) {
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdull;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ull;
    return x ^ (x >> 33);
}

// A number as the gauge writes it back, with six decimals: the millionths,
// rounded as printf rounds them. Worked out in doubles where the product is
// small enough that its rounding error (at most 1e12 * 2^-53, about 1e-4) is
// well inside the distance to a half-way point; near one, and for larger
// values, from the exact decimal text.
std::uint64_t NumberHash(double value, bool& zero) {
    const double millionths = value * 1e6;
    if (millionths > -1e12 && millionths < 1e12) {
        const std::int64_t whole = static_cast<std::int64_t>(millionths);  // toward zero
        const double fraction = millionths - static_cast<double>(whole);
        const double fromHalf = (fraction < 0 ? -fraction : fraction) - 0.5;
        if (fromHalf > 1e-3 || fromHalf < -1e-3) {
            const std::int64_t rounded = whole + (fraction > 0.5 ? 1 : fraction < -0.5 ? -1 : 0);
            zero = rounded == 0;
            return Mix(static_cast<std::uint64_t>(rounded));
        }
    }
    char text[platform::FixedTextMaxChars + 1];
    const std::size_t length = platform::FormatFixed(value, 6, text);
    std::size_t digit = text[0] == '-' ? 1 : 0;
    std::uint64_t rounded = 0;  // the millionths, from the digits (the sign aside: not near zero here)
    for (; digit < length; ++digit) {
        if (text[digit] != '.') rounded = rounded * 10 + static_cast<std::uint64_t>(text[digit] - '0');
    }
    zero = rounded == 0;
    return Mix(text[0] == '-' ? 0 - rounded : rounded);
}

std::uint64_t FigureOf(const char* text, std::size_t length) {
    if (length == 0 || (length == 2 && text[0] == '?' && text[1] == '?')) return 0;
    const std::uint64_t hash = TextHash(text, length);
    return hash == 0 ? 1 : hash;
}

// The figure a header text is, or -1 for a text the gauge never writes.
int HeaderFigure(int h) {
    switch (h) {
    case HfArrivalTime: return HeaderFigure0;
    case HfFuelUsed: return HeaderFigure0 + 1;
    case HfTotalFuel: return HeaderFigure0 + 2;
    case HfFuelPerHour: return HeaderFigure0 + 3;
    default: return -1;
    }
}

// Which of a checkpoint's figures a text is, or -1.
int CheckpointFigure(int f) {
    switch (f) {
    case PfActualLegTime: return 0;
    case PfEstimatedArrival: return 1;
    case PfActualArrival: return 2;
    default: return -1;
    }
}

// Takes in the fields one by one, in the order of the file, from a file or
// from memory alike: each field the gauge never writes goes into the
// flight's hash (its length first, so that no two sequences of fields run
// together), each figure into its own.
struct DigestSink {
    ReportDigest& Digest;
    // Two 32-bit hashes of the bytes side by side (FNV-1a and FNV-1 with
    // another start): the 32-bit multiplies of an i386 are cheap.
    std::uint32_t FlightA = 0x811c9dc5u, FlightB = 0x050c5d1fu;
    std::int32_t Kept = 0;  // checkpoints whose texts all came

    void Feed(const void* data, std::size_t length) {
        const unsigned char* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < length; ++i) {
            FlightA = (FlightA ^ bytes[i]) * 0x01000193u;
            FlightB = (FlightB * 0x01000193u) ^ bytes[i];
        }
    }
    void FeedText(const char* text, std::size_t length) {
        const std::uint16_t size = static_cast<std::uint16_t>(length);
        Feed(&size, sizeof size);
        Feed(text, length);
    }
    void Text(const LineField& at, const char* text, std::size_t length) {
        const ReportField& field = *at.Field;
        int figure = -1;
        if (field.Part == ReportPart::Header) {
            figure = HeaderFigure(field.Index);
        } else if (field.Part == ReportPart::Checkpoint) {
            if (at.Checkpoint >= ChkPointCapacity) return;  // dropped by the reader
            if (field.Index == TChkPoint::TextCount - 1) ++Kept;
            const int own = CheckpointFigure(field.Index);
            if (own >= 0) figure = FiguresPerCheckpoint * at.Checkpoint + own;
        }
        if (figure >= 0) {
            Digest.Figures[figure] = FigureOf(text, length);
        } else {
            FeedText(text, length);
        }
    }
    void Count(std::int32_t) {}
    void Number(const LineField& at, double value) {
        bool zero = false;
        const std::uint64_t key = NumberHash(value, zero);
        if (at.Field->Part == ReportPart::StartFuel) {
            Digest.Figures[StartFuelFigure] = zero ? 0 : (key == 0 ? 1 : key);
        } else {
            Feed(&key, sizeof key);
        }
    }
    void Finish() {
        Feed(&Kept, sizeof Kept);
        Digest.Flight = Mix((static_cast<std::uint64_t>(FlightA) << 32) | FlightB);
    }
};

}  // namespace

void DigestOfMemory(ReportDigest& digest) {
    digest = ReportDigest();
    digest.Report = digest.Whole = true;
    DigestSink sink{digest};
    // Every field in the order in which the walk over a file hands them over.
    for (int h = 0; h < TReportHeader::TextCount; ++h) {
        const ReportText& text = ReportHeader.*TReportHeader::Texts[h];
        sink.Text({&HeaderRow(h), -1}, text.data(), text.size());
    }
    sink.Text({&ReportFields[ListFieldLine(0) - 1], -1}, ChkPointList.Field1.data(), ChkPointList.Field1.size());
    sink.Text({&ReportFields[ListFieldLine(1) - 1], -1}, ChkPointList.Field2.data(), ChkPointList.Field2.size());
    const std::int32_t count = ChkPointList.Count;
    for (std::int32_t k = 0; k < count; ++k) {
        TChkPoint& point = ChkPointList.Item(k);
        for (int f = 0; f < TChkPoint::TextCount; ++f) {
            const ReportText& text = point.*TChkPoint::Texts[f];
            sink.Text({&CheckpointRow(f), k}, text.data(), text.size());
        }
    }
    sink.Number({&ReportFields[report_format::FirstRow(ReportPart::StartFuel)], -1}, ChkPointList.StartFuel);
    for (std::int32_t k = 0; k < count; ++k) {
        TChkPoint& point = ChkPointList.Item(k);
        sink.Number({&ReportFields[report_format::PositionRow0], k}, point.Latitude);
        sink.Number({&ReportFields[report_format::PositionRow0 + 1], k}, point.Longitude);
    }
    sink.Finish();
}

void DigestOfFile(const char* path, ReportDigest& digest) {
    digest = ReportDigest();
    platform::File file;
    if (!file.OpenForReading(path)) return;
    platform::TextFileReader in(file);
    char first[ReportTextLimit + 1];
    std::size_t length = 0;
    in.ReadLine(first, ReportTextLimit, length);
    if (!IsReportFirstLine(first, length)) return;
    digest.Report = true;
    DigestSink sink{digest};
    const bool whole = WalkReportFields(in, sink, nullptr);
    sink.Finish();
    digest.Whole = whole && !in.Failed();
}

bool SameFlight(const ReportDigest& a, const ReportDigest& b) { return a.Report && b.Report && a.Flight == b.Flight; }

namespace {
bool HoldsFigure(const ReportDigest& holder, const ReportDigest& part, int i, bool sameFlight) {
    return sameFlight && holder.Figures[i] == part.Figures[i];
}
}  // namespace

bool HoldsAll(const ReportDigest& whole, const ReportDigest& part) {
    const bool same = SameFlight(whole, part);
    for (int i = 0; i < FigureCount; ++i) {
        if (part.Figures[i] != 0 && !HoldsFigure(whole, part, i, same)) return false;
    }
    return true;
}

bool HeldByEither(const ReportDigest& part, const ReportDigest& first, const ReportDigest& second) {
    const bool sameFirst = SameFlight(first, part);
    const bool sameSecond = SameFlight(second, part);
    for (int i = 0; i < FigureCount; ++i) {
        if (part.Figures[i] != 0 && !HoldsFigure(first, part, i, sameFirst) &&
            !HoldsFigure(second, part, i, sameSecond)) {
            return false;
        }
    }
    return true;
}
