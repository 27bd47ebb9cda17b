// libFuzzer target: any bytes, read as JSON Lines, must get exactly one answer per non-blank
// line, each a JSON object with the result or an error, and --explain must not change the
// result. The same bytes are also read as one leg argument of the flags form.

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cli/flag_slip.h"
#include "cli/json_lines.h"

namespace {

using namespace quorvel::cli;

[[noreturn]] void fail(const char* what, std::string_view detail) {
    std::fprintf(stderr, "%s: %.*s\n", what, static_cast<int>(detail.size()), detail.data());
    std::abort();
}

// The lines the program should answer, counted as the user sees them.
std::size_t expectedAnswers(std::string_view input) {
    std::size_t count = 0;
    bool first = true;
    while (!input.empty()) {
        const std::size_t end = input.find('\n');
        std::string_view line = input.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (first && line.starts_with("\xEF\xBB\xBF")) {
            line.remove_prefix(3);
        }
        first = false;
        if (line.size() > kMaxLineBytes ||
            line.find_first_not_of(" \t\r") != std::string_view::npos) {
            ++count;
        }
        if (end == std::string_view::npos) {
            break;
        }
        input.remove_prefix(end + 1);
    }
    return count;
}

std::vector<std::string_view> answerLines(std::string_view out) {
    std::vector<std::string_view> lines;
    while (!out.empty()) {
        const std::size_t end = out.find('\n');
        if (end == std::string_view::npos) {
            fail("answer without a line break", out);
        }
        lines.push_back(out.substr(0, end));
        out.remove_prefix(end + 1);
    }
    return lines;
}

// Every answer must be a JSON object starting with the result or the error.
void checkAnswer(std::string_view answer) {
    if (!answer.starts_with("{\"bets\": ") && !answer.starts_with("{\"error\": ")) {
        fail("answer is neither a result nor an error", answer);
    }
    const auto parsed = nlohmann::json::parse(answer, nullptr, /*allow_exceptions=*/false);
    if (parsed.is_discarded() || !parsed.is_object()) {
        fail("answer is not a JSON object", answer);
    }
}

// Feeds the input in two pieces, cut where the first byte says, as reads from a file would.
std::string answerAll(std::string_view input, bool explain, std::size_t cut) {
    JsonLinesSettler settler(explain);
    LineSplitter splitter;
    std::string out;
    const auto onLine = [&](const InputLine& line) { settler.answer(line, out); };
    splitter.feed(input.substr(0, cut), onLine);
    splitter.feed(input.substr(cut), onLine);
    splitter.finish(onLine);
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = size == 0 ? 0 : data[0] % (size + 1);

    const std::string plain = answerAll(input, false, cut);
    const std::string explained = answerAll(input, true, size - cut);
    const std::vector<std::string_view> plainLines = answerLines(plain);
    const std::vector<std::string_view> explainedLines = answerLines(explained);
    if (plainLines.size() != expectedAnswers(input) || explainedLines.size() != plainLines.size()) {
        fail("wrong number of answers", plain);
    }
    for (std::size_t i = 0; i < plainLines.size(); ++i) {
        checkAnswer(plainLines[i]);
        checkAnswer(explainedLines[i]);
        const std::string_view fields = plainLines[i].substr(0, plainLines[i].size() - 1);
        if (!explainedLines[i].starts_with(fields)) {
            fail("--explain changed the result", explainedLines[i]);
        }
    }

    LegDraft leg;
    (void)readLegArgument(input, 1, leg);
    return 0;
}
