#pragma once

// JSON Lines mode: one slip per line in, one result per line out, in order.

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

#include "cli/json_slip.h"
#include "cli/slip_report.h"

namespace quorvel::cli {

// Longer lines are answered with an error instead of being held in memory.
inline constexpr std::size_t kMaxLineBytes = 1 << 20;

class JsonLinesSettler {
  public:
    explicit JsonLinesSettler(bool explain) : explain_(explain), settler_(explain) {}

    // Appends the answer to one line (without its end of line); blank lines get none.
    void answerLine(std::string_view line, std::string& out);
    void answerOverlongLine(std::string& out);
    bool anyInvalid() const { return anyInvalid_; }

  private:
    bool explain_;
    bool anyInvalid_ = false;
    JsonSlipReader reader_;
    SlipSettler settler_;
    SlipRequest request_{};
};

// Cuts a byte stream into lines, holding a line that spans two chunks.
class LineSplitter {
  public:
    // Calls onLine(text, overlong) for every line ended in `chunk`.
    template <typename OnLine>
    void feed(std::string_view chunk, OnLine&& onLine);
    // The last line, when the stream did not end with a line break.
    template <typename OnLine>
    void finish(OnLine&& onLine);

  private:
    std::string carry_;
    bool overlong_ = false;
};

// Settles every line of `in` into `out`, writing out in large blocks. False when reading or
// writing failed; `error` then tells why.
bool settleStream(std::FILE* in, std::FILE* out, JsonLinesSettler& settler, std::string& error);

template <typename OnLine>
void LineSplitter::feed(std::string_view chunk, OnLine&& onLine) {
    while (!chunk.empty()) {
        const std::size_t end = chunk.find('\n');
        const std::string_view piece = chunk.substr(0, end);
        if (!overlong_) {
            if (carry_.size() + piece.size() > kMaxLineBytes) {
                overlong_ = true;
                carry_.clear();
            } else if (end != std::string_view::npos && carry_.empty()) {
                onLine(piece, false);
            } else {
                carry_.append(piece);
            }
        }
        if (end == std::string_view::npos) {
            return;
        }
        if (overlong_ || !carry_.empty()) {
            onLine(std::string_view(carry_), overlong_);
        }
        carry_.clear();
        overlong_ = false;
        chunk.remove_prefix(end + 1);
    }
}

template <typename OnLine>
void LineSplitter::finish(OnLine&& onLine) {
    if (overlong_ || !carry_.empty()) {
        onLine(std::string_view(carry_), overlong_);
    }
    carry_.clear();
    overlong_ = false;
}

}  // namespace quorvel::cli
