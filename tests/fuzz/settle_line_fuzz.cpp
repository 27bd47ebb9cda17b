// libFuzzer target: any bytes, read as JSON Lines, must get exactly one answer per non-blank
// line, each a JSON object with the result or an error, and:
// - a line that settles is one JSON object and nothing more, with no raw control characters;
// - each line's answer is the answer to that line alone: nothing carries over between lines;
// - --explain adds the lines and changes nothing else;
// - several jobs, with blocks ending at any line, answer byte for byte as one;
// - the quick reader of plain slips and the careful reader agree on every line, and on the
//   whole input read as one line.
// The same bytes are also read as one leg argument of the flags form.

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cli/flag_slip.h"
#include "cli/json_lines.h"
#include "cli/json_slip.h"
#include "cli/plain_slip.h"
#include "cli/slip_report.h"

namespace {

using namespace quorvel::cli;

[[noreturn]] void fail(const char* what, std::string_view detail) {
    std::fprintf(stderr, "%s: %.*s\n", what, static_cast<int>(detail.size()), detail.data());
    std::abort();
}

// True when the text is one JSON object. nlohmann's accept() runs the same lexer and grammar as
// the reader's sax_parse, so this checks what the program hands the parser and with which options
// rather than the grammar itself. That parser takes a NUL byte for the end of the text, so raw
// control characters, which JSON allows nowhere, are looked for apart.
bool isOneObject(std::string_view text) {
    const bool control = std::any_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\n';
    });
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    return !control && start != std::string_view::npos && text[start] == '{' &&
           nlohmann::json::accept(text);
}

// The lines as the program cuts them, with the ones that get an answer marked.
struct Line {
    std::string text;
    bool overlong;
    bool startsInput;
};

std::vector<Line> linesOf(std::string_view input) {
    std::vector<Line> lines;
    LineSplitter splitter;
    const auto onLine = [&](const InputLine& line) {
        lines.push_back({std::string(line.text), line.overlong, line.startsInput});
    };
    splitter.feed(input, onLine);
    splitter.finish(onLine);
    return lines;
}

bool answered(const Line& line) {
    std::string_view text = line.text;
    if (line.startsInput && text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    return line.overlong || text.find_first_not_of(" \t\r") != std::string_view::npos;
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

// Settles the input as the program does. In pieces, it is read in pieces whose sizes the
// input's first byte chooses: each piece ends a read, as a pipe's writes would. Otherwise
// each read takes all it asks for, as from a file.
std::string answerAll(std::string_view input, bool explain, unsigned jobs, std::size_t blockBytes,
                      bool inPieces) {
    const std::size_t step = !inPieces       ? input.size()
                             : input.empty() ? 1
                                             : 1 + static_cast<unsigned char>(input[0]) % 97;
    std::size_t at = 0;
    std::size_t reads = 0;
    const JsonInput source{
        "input", [&](char* buffer, std::size_t size) -> std::ptrdiff_t {
            const std::size_t piece = std::min({size, input.size() - at, step + (reads++ % 3) * 7});
            std::copy_n(input.data() + at, piece, buffer);
            at += piece;
            return static_cast<std::ptrdiff_t>(piece);
        }};
    std::string out;
    const WriteAll write = [&](std::string_view bytes) {
        out += bytes;
        return WriteResult::Written;
    };
    JsonLinesOptions options;
    options.explain = explain;
    options.jobs = jobs;
    options.blockBytes = blockBytes;
    const JsonLinesOutcome outcome = settleJsonLines({&source, 1}, write, options);
    if (outcome.end != JsonLinesEnd::Finished) {
        fail("settling did not finish", outcome.error);
    }
    return out;
}

enum class Reading { Quick, QuickWhereItStands, Careful };

// Everything a line comes to: its error, or the slip as understood and its settlement. Read
// where it stands, the line is followed by its line break and just the padding the reader may
// look at, filled with quotes: a reader that ran on past the break would find more strings.
std::string readingOf(std::string_view line, Reading reading) {
    JsonSlipReader reader;
    SlipRequest request{};
    std::vector<char> standing(line.begin(), line.end());
    standing.push_back('\n');
    standing.resize(standing.size() + kLinePadding, '"');
    const SlipCheck error =
        reading == Reading::Careful ? reader.readCarefully(line, request)
        : reading == Reading::Quick
            ? reader.read(line, request)
            : reader.read(std::string_view(standing.data(), line.size()), request, true);
    if (error) {
        return "error " + error->message();
    }
    SlipSettler settler(true);
    std::string out = describeSlip(request);
    appendJsonResult(out, settler.settle(request), true);
    return out;
}

void checkReadersAgree(std::string_view line) {
    const std::string careful = readingOf(line, Reading::Careful);
    if (readingOf(line, Reading::Quick) != careful) {
        fail("the quick and the careful reader read a line otherwise", line);
    }
    if (readingOf(line, Reading::QuickWhereItStands) != careful) {
        fail("the quick reader read a line where it stands otherwise", line);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // Blocks end after 32 to 2072 bytes of lines. A short read ends one too, so the jobs read
    // as from a file, or handing blocks over would be most of the work.
    const std::size_t blockBytes = 32 + (size < 2 ? 0 : data[1] * 8u);

    const std::string plain = answerAll(input, false, 1, 1 << 16, true);
    const std::string explained = answerAll(input, true, 1, blockBytes, true);
    const std::string parallel = answerAll(input, false, 3, blockBytes, false);
    if (parallel != plain) {
        fail("three jobs answered otherwise than one", parallel);
    }
    const std::vector<Line> lines = linesOf(input);
    checkReadersAgree(input);
    for (const Line& line : lines) {
        std::string_view text = line.text;
        if (text.ends_with('\r')) {
            text.remove_suffix(1);
        }
        checkReadersAgree(text);
    }
    const std::vector<std::string_view> plainLines = answerLines(plain);
    const std::vector<std::string_view> explainedLines = answerLines(explained);
    if (explainedLines.size() != plainLines.size()) {
        fail("--explain answered another number of lines", explained);
    }
    std::size_t next = 0;
    for (const Line& line : lines) {
        if (!answered(line)) {
            continue;
        }
        if (next == plainLines.size()) {
            fail("a line got no answer", line.text);
        }
        const std::string_view answer = plainLines[next];
        const std::string_view explainedAnswer = explainedLines[next];
        ++next;
        checkAnswer(answer);
        checkAnswer(explainedAnswer);
        if (!explainedAnswer.starts_with(answer.substr(0, answer.size() - 1))) {
            fail("--explain changed the result", explainedAnswer);
        }
        JsonLinesSettler alone(false);
        std::string aloneAnswer;
        alone.answer({line.text, line.overlong, line.startsInput}, aloneAnswer);
        if (aloneAnswer.substr(0, aloneAnswer.size() - 1) != answer) {
            fail("a line was answered otherwise than on its own", line.text);
        }
        if (answer.starts_with("{\"bets\": ")) {
            std::string_view text = line.text;
            if (text.ends_with('\r')) {
                text.remove_suffix(1);
            }
            if (line.startsInput && text.starts_with("\xEF\xBB\xBF")) {
                text.remove_prefix(3);
            }
            if (!isOneObject(text)) {
                fail("a line that is not one JSON object settled", line.text);
            }
        }
    }
    if (next != plainLines.size()) {
        fail("more answers than lines", plain);
    }

    LegDraft leg;
    (void)readLegArgument(input, 1, leg);
    return 0;
}
