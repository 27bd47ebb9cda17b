#pragma once

// The program's arguments as UTF-8 on every system. On Windows the C runtime
// hands main() its arguments in the ANSI code page (Windows-1252 on a UK
// system), where "£" is a byte the slip parser does not take; the wide command
// line holds what the user typed, whatever the code page, and is read instead.
// Elsewhere the arguments are passed through as they are.

#include <string>
#include <vector>

namespace quorvel::cli {

class Utf8Arguments {
  public:
    Utf8Arguments(int argc, const char* const* argv);

    int count() const { return static_cast<int>(pointers_.size()) - 1; }
    // argv[0] .. argv[count() - 1], then a null pointer.
    const char* const* values() const { return pointers_.data(); }

  private:
    std::vector<std::string> texts_;  // Windows only: the converted arguments
    std::vector<const char*> pointers_;
};

}  // namespace quorvel::cli
