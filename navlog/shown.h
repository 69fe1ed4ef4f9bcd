// What a person is shown of a report: its texts, which are in the Windows
// character set (code page 1252), as UTF-8 with everything that could drive a
// terminal escaped; widths counted in characters; the identifier the display
// shows, and whether a checkpoint has a position.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "report/report.h"

namespace navlog {

// Code page 1252 for the bytes 0x80 to 0x9F; the five it leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) hold their own value, as Windows maps them.
extern const std::uint16_t Cp1252High[32];

// The character of a code page 1252 byte.
std::uint32_t FromCp1252(unsigned char byte);

// Appends `code` (at most U+10FFFF) as UTF-8.
void AppendUtf8(std::string& out, std::uint32_t code);

// True for the bytes a report text must not put on a screen as they are:
// control characters (below 32, and 127) and the five undefined ones.
bool IsEscaped(unsigned char byte);

// A report text as UTF-8 for a person: a tab as \t, the other escaped bytes
// as \xNN, and a backslash before each character of `alsoEscaped` (quotes
// for a quoted text); everything else converted from code page 1252.
std::string ShownText(std::string_view cp1252, std::string_view alsoEscaped = {});

// True when ShownText escapes a byte of `cp1252`.
bool HasEscapedByte(std::string_view cp1252);

// The characters of a UTF-8 text, each a column on a terminal (the report's
// character set has no wide or combining ones): its bytes that do not
// continue a character.
std::size_t Width(std::string_view utf8);

// A UTF-8 text cut to `width` characters, its last one then "…" to show the cut.
std::string Cut(std::string_view utf8, std::size_t width);

// A UTF-8 text cut to `width` characters and filled with blanks to it, after
// it (left-aligned) or before it (right-aligned).
std::string PadRight(std::string_view utf8, std::size_t width);
std::string PadLeft(std::string_view utf8, std::size_t width);

// A checkpoint whose latitude and longitude are not both exactly 0.0: the
// gauge can see the aircraft pass it. Without a position the display puts its
// identifier in brackets and the pilot marks it by hand.
bool HasPosition(const TChkPoint& point);

// The identifier the display shows: Ident, or AltIdent when Ident is empty;
// and the frequency it shows beside it.
std::string ShownIdent(const TChkPoint& point);
std::string ShownFrequency(const TChkPoint& point);

}  // namespace navlog
