#include "tools/vqreport/output.h"

#include <cerrno>
#include <cstdint>
#include <ostream>

#include "navlog/shown.h"
#include "tools/vqreport/load.h"
#include "tools/vqreport/printable.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace vqreport {

namespace {

// Pending output is written once it reaches this size, and at every flush.
constexpr std::size_t Chunk = 16 * 1024;

#ifdef _WIN32
// Reads the character at text[i] and moves past it: a UTF-8 sequence, or a
// byte that starts none, taken as code page 1252 (a file name as Windows
// gives it). False, leaving `i`, for a sequence cut at the end of the text.
bool NextCharacter(const std::string& text, std::size_t& i, std::uint32_t& code) {
    if (ReadUtf8(text, i, code)) return true;
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (lead >= 0xC2 && lead <= 0xF4 && text.size() - i < length) {
        bool continues = true;
        for (std::size_t k = i + 1; k < text.size(); ++k) continues = continues && (text[k] & 0xC0) == 0x80;
        if (continues) return false;
    }
    code = navlog::FromCp1252(lead);
    ++i;
    return true;
}
#endif

}  // namespace

StandardStream::StandardStream(int fd) : Fd(fd) {
#ifdef _WIN32
    // Line ends and the character set are this stream's; the C runtime's
    // text mode would add a CR to a report's CR LF.
    _setmode(fd, _O_BINARY);
    DWORD mode = 0;
    Console = GetConsoleMode(reinterpret_cast<HANDLE>(_get_osfhandle(fd)), &mode) != 0;
#endif
}

StandardStream::~StandardStream() { Drain(true); }

void StandardStream::SetKind(OutputKind kind) {
    Drain(true);
    Kind = kind;
}

StandardStream::int_type StandardStream::overflow(int_type c) {
    if (!Why.empty()) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    Pending += traits_type::to_char_type(c);
    if (Pending.size() >= Chunk && !Drain(false)) return traits_type::eof();
    return c;
}

std::streamsize StandardStream::xsputn(const char* text, std::streamsize size) {
    if (!Why.empty()) return 0;
    Pending.append(text, static_cast<std::size_t>(size));
    if (Pending.size() >= Chunk && !Drain(false)) return 0;
    return size;
}

int StandardStream::sync() { return Drain(true) ? 0 : -1; }

bool StandardStream::Drain(bool all) {
    if (!Why.empty()) return false;
    std::string text;
#ifdef _WIN32
    if (Kind == OutputKind::Text || (Kind == OutputKind::Utf8 && Console)) {
        // Whole characters: UTF-8 for the console, code page 1252 with CR LF for a file.
        std::size_t i = 0;
        std::uint32_t code = 0;
        while (i < Pending.size() && NextCharacter(Pending, i, code)) {
            if (Console) {
                navlog::AppendUtf8(text, code);
                continue;
            }
            char byte = '?';  // for a character code page 1252 does not have
            ToCp1252(code, byte);
            if (byte == '\n') text += '\r';
            text += byte;
        }
        Pending.erase(0, all ? Pending.size() : i);  // a character cut at the very end is lost
        return Console ? ShowOnConsole(text) : WriteBytes(text.data(), text.size());
    }
#else
    (void)all;
#endif
    text.swap(Pending);
    return WriteBytes(text.data(), text.size());
}

bool StandardStream::WriteBytes(const char* data, std::size_t size) {
    while (size > 0) {
#ifdef _WIN32
        DWORD written = 0;
        const DWORD part = size > 65536 ? 65536 : static_cast<DWORD>(size);
        if (!WriteFile(reinterpret_cast<HANDLE>(_get_osfhandle(Fd)), data, part, &written, nullptr) || written == 0) {
            Why = FailureReason(GetLastError());
            return false;
        }
#else
        const ssize_t written = ::write(Fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            Why = FailureReason(written < 0 ? static_cast<std::uint32_t>(errno) : 0);
            return false;
        }
#endif
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool StandardStream::ShowOnConsole(const std::string& utf8) {
#ifdef _WIN32
    if (utf8.empty()) return true;
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), units);
    const HANDLE console = reinterpret_cast<HANDLE>(_get_osfhandle(Fd));
    for (std::size_t at = 0; at < wide.size();) {
        DWORD written = 0;
        const DWORD part = wide.size() - at > 8192 ? 8192 : static_cast<DWORD>(wide.size() - at);
        if (!WriteConsoleW(console, wide.data() + at, part, &written, nullptr) || written == 0) {
            Why = FailureReason(GetLastError());
            return false;
        }
        at += written;
    }
    return true;
#else
    return WriteBytes(utf8.data(), utf8.size());
#endif
}

void SetOutputKind(std::ostream& out, OutputKind kind) {
    if (auto* stream = dynamic_cast<StandardStream*>(out.rdbuf())) {
        out.flush();
        stream->SetKind(kind);
    }
}

std::string OutputProblem(std::ostream& out) {
    const auto* stream = dynamic_cast<const StandardStream*>(out.rdbuf());
    return stream ? stream->Problem() : std::string();
}

}  // namespace vqreport
