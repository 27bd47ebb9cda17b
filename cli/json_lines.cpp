#include "cli/json_lines.h"

#include <cerrno>
#include <cstring>
#include <vector>

namespace quorvel::cli {

namespace {

constexpr std::size_t kReadBytes = 1 << 16;
constexpr std::size_t kWriteBytes = 1 << 16;

bool isBlank(std::string_view line) {
    for (const char c : line) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\f' && c != '\v') {
            return false;
        }
    }
    return true;
}

}  // namespace

void JsonLinesSettler::answerLine(std::string_view line, std::string& out) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    if (isBlank(line)) {
        return;
    }
    if (const auto error = reader_.read(line, request_)) {
        anyInvalid_ = true;
        appendJsonError(out, error->message());
        return;
    }
    appendJsonResult(out, settler_.settle(request_), explain_);
}

void JsonLinesSettler::answerOverlongLine(std::string& out) {
    anyInvalid_ = true;
    appendJsonError(out, "the line is longer than " + std::to_string(kMaxLineBytes) + " bytes");
}

bool settleStream(std::FILE* in, std::FILE* out, JsonLinesSettler& settler, std::string& error) {
    std::vector<char> chunk(kReadBytes);
    std::string pending;
    pending.reserve(kWriteBytes * 2);
    LineSplitter splitter;
    bool written = true;
    const auto flush = [&] {
        if (!pending.empty() &&
            std::fwrite(pending.data(), 1, pending.size(), out) != pending.size()) {
            written = false;
        }
        pending.clear();
    };
    const auto onLine = [&](std::string_view line, bool overlong) {
        if (overlong) {
            settler.answerOverlongLine(pending);
        } else {
            settler.answerLine(line, pending);
        }
        if (pending.size() >= kWriteBytes) {
            flush();
        }
    };
    std::size_t got = 0;
    while (written && (got = std::fread(chunk.data(), 1, chunk.size(), in)) > 0) {
        splitter.feed(std::string_view(chunk.data(), got), onLine);
    }
    if (std::ferror(in) != 0) {
        error = std::string("cannot read the input: ") + std::strerror(errno);
        flush();
        return false;
    }
    splitter.finish(onLine);
    flush();
    if (!written || std::fflush(out) != 0) {
        error = std::string("cannot write the results: ") + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace quorvel::cli
