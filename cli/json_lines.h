#pragma once

// JSON Lines mode: one slip per line in, one result per line out, in order.

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/json_slip.h"
#include "cli/plain_slip.h"
#include "cli/slip_report.h"

namespace quorvel::cli {

// Longer lines are answered with an error instead of being held in memory. The carriage return
// of a CRLF line end does not count.
inline constexpr std::size_t kMaxLineBytes = 1 << 20;

// One line of an input, without its line break.
struct InputLine {
    std::string_view text;
    bool overlong = false;  // longer than kMaxLineBytes; `text` is then empty
    bool startsInput =
        false;  // the first line of its input, which may begin with a byte-order mark
    // The line stands in the read buffer: its line break follows it, and kLinePadding bytes
    // more may be read (plain_slip.h).
    bool padded = false;
};

class JsonLinesSettler {
  public:
    explicit JsonLinesSettler(bool explain) : explain_(explain), settler_(explain) {}

    // Appends the answer to one line, with its line break; blank lines get none.
    void answer(const InputLine& line, std::string& out);
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
    // Calls onLine(const InputLine&) for every line ended in `chunk`.
    template <typename OnLine>
    void feed(std::string_view chunk, OnLine&& onLine);
    // The last line, when the stream did not end with a line break.
    template <typename OnLine>
    void finish(OnLine&& onLine);

  private:
    template <typename OnLine>
    void emit(std::string_view text, OnLine&& onLine, bool padded = false);

    std::string carry_;
    bool overlong_ = false;
    bool first_ = true;
};

// Reads what an input has at hand into `buffer`: the number of bytes, fewer than `size` when no
// more has arrived yet (a pipe, a terminal), 0 at its end, -1 on an error that errno tells.
using ReadSome = std::function<std::ptrdiff_t(char* buffer, std::size_t size)>;

struct JsonInput {
    std::string name;  // for messages: a path, or "standard input"
    ReadSome read;
};

enum class WriteResult { Written, Closed, Failed };  // Failed: errno tells why
// Writes all the bytes, or tells that the reader has gone (Closed) or what failed.
using WriteAll = std::function<WriteResult(std::string_view)>;

struct JsonLinesOptions {
    bool explain = false;
    unsigned jobs = 1;  // threads settling; 1 settles on the calling thread alone
    // Bytes read at once, and of answers gathered before they are written. With more than one
    // job, also the most input a job settles at once.
    std::size_t blockBytes = 1 << 16;
};

enum class JsonLinesEnd {
    Finished,
    ReadFailed,    // an input could not be read; the answers to what was read are written
    OutputClosed,  // the reader of the answers went away; reading stopped
    WriteFailed,
};

struct JsonLinesOutcome {
    JsonLinesEnd end = JsonLinesEnd::Finished;
    bool anyInvalid = false;
    std::string error;  // why reading or writing failed
};

// Settles every line of the inputs, in order, and writes the answers in the same order. The
// answers to what has been read are written whenever an input has nothing more at hand, so a
// program that sends one line and waits gets its answer; otherwise in blocks.
JsonLinesOutcome settleJsonLines(std::span<const JsonInput> inputs, const WriteAll& write,
                                 const JsonLinesOptions& options);

// The same on `options.jobs` threads (json_jobs.cpp).
JsonLinesOutcome settleJsonLinesInParallel(std::span<const JsonInput> inputs, const WriteAll& write,
                                           const JsonLinesOptions& options);

enum class ReadEnd {
    Finished,  // every input was read to its end
    Stopped,   // a callback wanted nothing more
    Failed,    // an input could not be read
};

struct ReadOutcome {
    ReadEnd end = ReadEnd::Finished;
    std::string error;  // why an input could not be read
};

// The one read loop of the JSON Lines mode, however many jobs settle: reads the inputs in turn,
// `blockBytes` at a time, and hands each line to onLine(const InputLine&). Whenever an input has
// nothing more at hand (a short read, its end) or cannot be read, onPause() is called, so that
// whoever sent the lines can be answered before more arrive. Each callback answers false when
// nothing more is wanted; then no more lines are handed over and reading stops.
template <typename OnLine, typename OnPause>
ReadOutcome readLines(std::span<const JsonInput> inputs, std::size_t blockBytes, OnLine&& onLine,
                      OnPause&& onPause);

template <typename OnLine>
void LineSplitter::feed(std::string_view chunk, OnLine&& onLine) {
    // One byte more than the limit is held, for a carriage return before the line break.
    constexpr std::size_t kHeld = kMaxLineBytes + 1;
    while (!chunk.empty()) {
        const std::size_t end = chunk.find('\n');
        const std::string_view piece = chunk.substr(0, end);
        if (!overlong_) {
            if (carry_.size() + piece.size() > kHeld) {
                overlong_ = true;
                carry_.clear();
            } else if (end != std::string_view::npos && carry_.empty()) {
                emit(piece, onLine, true);
            } else {
                carry_.append(piece);
            }
        }
        if (end == std::string_view::npos) {
            return;
        }
        if (overlong_ || !carry_.empty()) {
            emit(carry_, onLine);
        }
        carry_.clear();
        overlong_ = false;
        chunk.remove_prefix(end + 1);
    }
}

template <typename OnLine>
void LineSplitter::finish(OnLine&& onLine) {
    if (overlong_ || !carry_.empty()) {
        emit(carry_, onLine);
    }
    carry_.clear();
    overlong_ = false;
}

template <typename OnLine>
void LineSplitter::emit(std::string_view text, OnLine&& onLine, bool padded) {
    InputLine line;
    line.startsInput = first_;
    first_ = false;
    if (overlong_ || text.size() > kMaxLineBytes + 1 ||
        (text.size() == kMaxLineBytes + 1 && text.back() != '\r')) {
        line.overlong = true;
    } else {
        line.text = text;
        line.padded = padded;
    }
    onLine(line);
}

template <typename OnLine, typename OnPause>
ReadOutcome readLines(std::span<const JsonInput> inputs, std::size_t blockBytes, OnLine&& onLine,
                      OnPause&& onPause) {
    // Read into the first blockBytes; a line ended in the chunk may be read past its line break.
    std::vector<char> chunk(blockBytes + kLinePadding);
    bool wanted = true;
    const auto take = [&](const InputLine& line) {
        if (wanted) {
            wanted = onLine(line);
        }
    };
    for (const JsonInput& input : inputs) {
        LineSplitter splitter;
        while (wanted) {
            const std::ptrdiff_t got = input.read(chunk.data(), blockBytes);
            if (got < 0) {
                std::string error = "cannot read " + input.name + ": " + std::strerror(errno);
                if (!onPause()) {
                    return {ReadEnd::Stopped, {}};
                }
                return {ReadEnd::Failed, std::move(error)};
            }
            if (got == 0) {
                splitter.finish(take);
                wanted = wanted && onPause();
                break;
            }
            splitter.feed(std::string_view(chunk.data(), static_cast<std::size_t>(got)), take);
            if (wanted && static_cast<std::size_t>(got) < blockBytes) {
                wanted = onPause();
            }
        }
    }
    return {wanted ? ReadEnd::Finished : ReadEnd::Stopped, {}};
}

}  // namespace quorvel::cli
