// Where vqreport's results and messages go: standard output and standard
// error, in the reader's character set. The commands write UTF-8 (report
// texts converted from code page 1252, printable.h); on Linux it goes out as
// it is, to a terminal or a pipe. On Windows a console gets it through
// WriteConsoleW, whatever its code page, and a file or a pipe gets code page
// 1252 with CR LF line ends, as Windows programs of the report's kind read it.
// A write that fails is kept with its reason, for the command to report.
#pragma once

#include <iosfwd>
#include <streambuf>
#include <string>

namespace vqreport {

enum class OutputKind {
    Text,   // for a person: UTF-8 put into the reader's character set
    Utf8,   // a UTF-8 file (JSON, CSV): its bytes as they are; shown as text on a console
    Bytes,  // a report file: its bytes as they are, wherever they go
};

class StandardStream : public std::streambuf {
public:
    // `fd` 1 for standard output, 2 for standard error.
    explicit StandardStream(int fd);
    ~StandardStream() override;
    StandardStream(const StandardStream&) = delete;
    StandardStream& operator=(const StandardStream&) = delete;

    // What follows is of `kind`; what came before is written first.
    void SetKind(OutputKind kind);
    // Why a write failed, in words; empty while none has.
    const std::string& Problem() const { return Why; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize size) override;
    int sync() override;

private:
    // Writes what is pending; a character cut at its end waits for the rest
    // unless `all`.
    bool Drain(bool all);
    bool WriteBytes(const char* data, std::size_t size);
    bool ShowOnConsole(const std::string& utf8);

    int Fd;
    bool Console = false;
    OutputKind Kind = OutputKind::Text;
    std::string Pending;
    std::string Why;
};

// Sets the kind of what follows on `out`, when it is a StandardStream.
void SetOutputKind(std::ostream& out, OutputKind kind);

// Why writing to `out` failed, in words ("the disk is full"); empty when it
// is not a StandardStream or the reason is not known.
std::string OutputProblem(std::ostream& out);

}  // namespace vqreport
