#pragma once

// The operating system's side of JSON Lines mode: files read as they arrive, answers written
// to a pipe whose reader may go away, and how many cores the process may use.

#include <cstddef>
#include <string>
#include <string_view>

#include "cli/json_lines.h"

namespace quorvel::cli {

// An input file opened for reading, or standard input for "-".
class InputFile {
  public:
    InputFile() = default;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    // False when the file cannot be opened; errno tells why.
    bool open(const std::string& path);
    // As ReadSome: fewer bytes than asked when no more has arrived yet, 0 at the end.
    std::ptrdiff_t readSome(char* buffer, std::size_t size) const;
    const std::string& name() const { return name_; }

  private:
    int fd_ = -1;
    bool owned_ = false;
    std::string name_;
};

// Writes all of `bytes` to standard output.
WriteResult writeStandardOutput(std::string_view bytes);

// A write to a pipe whose reader has gone fails instead of ending the process with a signal.
void reportClosedPipesAsErrors();

// The cores this process may run on, at least 1.
unsigned usableCores();

}  // namespace quorvel::cli
