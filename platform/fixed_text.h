// Texts of fixed capacity: the module's only kind of string.
//
// The gauge file links no runtime library, so it has no heap and no string
// class. Every text of the report fits a line of the report file, which the
// reader cuts at 255 characters, so the texts live in place, in the report's
// records, and never allocate. A text longer than its capacity is cut.
#pragma once

#include <cstddef>
#include <cstdint>

template <std::size_t Capacity>
class FixedText {
public:
    static constexpr std::size_t MaxChars = Capacity;

    constexpr FixedText() = default;
    FixedText(const char* text) { Assign(text); }  // NOLINT: texts are given as literals
    // Copies only the characters in use, not the whole capacity.
    FixedText(const FixedText& text) { Assign(text.data(), text.size()); }
    FixedText& operator=(const FixedText& text) {
        Assign(text.data(), text.size());
        return *this;
    }

    const char* c_str() const { return Chars; }
    const char* data() const { return Chars; }
    std::size_t size() const { return Length; }
    bool empty() const { return Length == 0; }
    char operator[](std::size_t i) const { return Chars[i]; }

    void clear() {
        Length = 0;
        Chars[0] = '\0';
    }
    // Copies `length` characters (at most Capacity) of `text`.
    void Assign(const char* text, std::size_t length) {
        if (length > Capacity) length = Capacity;
        if (text != Chars) __builtin_memmove(Chars, text, length);
        Chars[length] = '\0';
        Length = static_cast<std::uint16_t>(length);
    }
    void Assign(const char* text) { Assign(text, Bounded(text)); }
    // Appends what fits.
    void Append(const char* text, std::size_t length) {
        if (length > Capacity - Length) length = Capacity - Length;
        __builtin_memcpy(Chars + Length, text, length);
        Length = static_cast<std::uint16_t>(Length + length);
        Chars[Length] = '\0';
    }
    void Append(const char* text) { Append(text, Bounded(text)); }

    FixedText& operator=(const char* text) {
        Assign(text);
        return *this;
    }
    template <std::size_t Other>
    FixedText& operator=(const FixedText<Other>& text) {
        Assign(text.data(), text.size());
        return *this;
    }
    // Any string-like text with data() and size() (the tools' strings).
    template <typename Text, typename = decltype(static_cast<const char*>(Text().data()), Text().size())>
    FixedText& operator=(const Text& text) {
        Assign(text.data(), text.size());
        return *this;
    }

    // The tools' strings (std::string, std::string_view) are made from a
    // text directly; the module itself has none.
    template <typename Text, typename = decltype(Text(static_cast<const char*>(nullptr), std::size_t()))>
    operator Text() const {
        return Text(Chars, Length);
    }

    bool operator==(const char* text) const {
        std::size_t i = 0;
        for (; i < Length; ++i) {
            if (text[i] == '\0' || text[i] != Chars[i]) return false;
        }
        return text[i] == '\0';
    }
    template <std::size_t Other>
    bool operator==(const FixedText<Other>& text) const {
        return text.size() == Length && __builtin_memcmp(Chars, text.data(), Length) == 0;
    }

private:
    // strlen, but never past Capacity + 1 characters.
    static std::size_t Bounded(const char* text) {
        std::size_t n = 0;
        while (n <= Capacity && text[n] != '\0') ++n;
        return n;
    }

    std::uint16_t Length = 0;
    char Chars[Capacity + 1] = {};
};

static_assert(sizeof(FixedText<255>) == 258);

// A field of the report: one line of the report file.
using ReportText = FixedText<255>;
// A short text: a time, a whole number, a regional marker.
using ShortText = FixedText<31>;
// A file name or path (the longest path Windows takes).
using PathText = FixedText<259>;
