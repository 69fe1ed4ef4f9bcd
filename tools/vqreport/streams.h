// A file named "-" on vqreport's command line: standard input where a file is
// read, standard output where one is written. The module reads and writes
// files by name, so such a file goes through a temporary file of its own.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

namespace vqreport {

// The name that stands for standard input or output.
bool IsStandardStream(const std::string& name);

// Reads all of `in` into `text`; false, with `problem` in words, when it
// fails or holds more than `limit` bytes.
bool ReadStream(std::istream& in, std::size_t limit, std::string& text, std::string& problem);

// A file created new and empty in the system's temporary folder, removed
// when the object goes. Path() is empty, and Problem() says why, when none
// could be created.
class TemporaryFile {
public:
    TemporaryFile();
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& Path() const { return Name; }
    const std::string& Problem() const { return Why; }
    // Puts `bytes` into the file; false, with Problem(), when it fails.
    bool Fill(const std::string& bytes);
    // Writes the file's bytes to `out` as they are.
    bool CopyTo(std::ostream& out);

private:
    std::string Name;
    std::string Why;
};

}  // namespace vqreport
