#include "cli/json_lines.h"

#include <cerrno>
#include <cstring>

namespace quorvel::cli {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// JSON's white space, but for the line break that ends the line.
bool isBlank(std::string_view line) {
    for (const char c : line) {
        if (c != ' ' && c != '\t' && c != '\r') {
            return false;
        }
    }
    return true;
}

}  // namespace

void JsonLinesSettler::answer(const InputLine& line, std::string& out) {
    if (line.overlong) {
        anyInvalid_ = true;
        appendJsonError(out, "the line is longer than " + std::to_string(kMaxLineBytes) + " bytes");
        return;
    }
    std::string_view text = line.text;
    bool padded = line.padded;
    if (!text.empty() && text.back() == '\r') {
        text.remove_suffix(1);
        padded = false;  // the byte after the text is no longer its line break
    }
    // The parser passes over a mark at the start of any text, so it is refused here where it
    // does not start the input.
    const bool marked = text.starts_with(kByteOrderMark);
    if (isBlank(marked && line.startsInput ? text.substr(kByteOrderMark.size()) : text)) {
        return;
    }
    if (marked && !line.startsInput) {
        anyInvalid_ = true;
        appendJsonError(out,
                        "not valid JSON at byte 1: a byte-order mark may only start the input");
        return;
    }
    if (const auto error = reader_.read(text, request_, padded)) {
        anyInvalid_ = true;
        appendJsonError(out, error->message());
        return;
    }
    appendJsonResult(out, settler_.settle(request_), explain_);
}

JsonLinesOutcome settleJsonLines(std::span<const JsonInput> inputs, const WriteAll& write,
                                 const JsonLinesOptions& options) {
    if (options.jobs > 1) {
        return settleJsonLinesInParallel(inputs, write, options);
    }
    JsonLinesOutcome outcome;
    JsonLinesSettler settler(options.explain);
    std::string pending;
    // Writes the answers gathered; false once they can no longer be written.
    const auto flush = [&] {
        if (!pending.empty()) {
            const WriteResult written = write(pending);
            pending.clear();
            if (written == WriteResult::Closed) {
                outcome.end = JsonLinesEnd::OutputClosed;
                return false;
            }
            if (written == WriteResult::Failed) {
                outcome.end = JsonLinesEnd::WriteFailed;
                outcome.error = std::string("cannot write the results: ") + std::strerror(errno);
                return false;
            }
        }
        return true;
    };
    const auto onLine = [&](const InputLine& line) {
        settler.answer(line, pending);
        return pending.size() < options.blockBytes || flush();
    };
    ReadOutcome read = readLines(inputs, options.blockBytes, onLine, flush);
    if (read.end == ReadEnd::Failed) {
        outcome.end = JsonLinesEnd::ReadFailed;
        outcome.error = std::move(read.error);
    }
    outcome.anyInvalid = settler.anyInvalid();
    return outcome;
}

}  // namespace quorvel::cli
