// quorvel-settle: settles slips from the command line, one from options or many as JSON Lines.

// GCC 12 warns of a possible null string where its own vector grows inside
// CLI11's inline code (not ours); the warning stays on for everything else.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnull-dereference"
#include <CLI/CLI.hpp>
#pragma GCC diagnostic pop
#else
#include <CLI/CLI.hpp>
#endif

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "cli/flag_slip.h"
#include "cli/json_lines.h"
#include "cli/slip_report.h"
#include "cli/system_io.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

using namespace quorvel;
using namespace quorvel::cli;

constexpr int kAllSettled = 0;
constexpr int kSomeInvalid = 1;
constexpr int kBadCommandLine = 2;

constexpr const char* kDescription =
    "Settles UK off-course horse-racing bet slips with the same engine and texts as the "
    "Quorvel window.";

constexpr const char* kVersion =
    "quorvel-settle (Quorvel) " QUORVEL_VERSION
    "\n"
    "Copyright (C) 2026 The Quorvel developers\n"
    "License MIT: <https://opensource.org/licenses/MIT>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.";

constexpr const char* kFooter = R"(
One slip from options: each LEG is one argument, a result ("Lost", "Won", "Non-Runner",
"Place") followed, in any order, by a price ("Evens", "6/4", "100/30" ... "1250/1"; default
Evens), place terms ("1/5", "1/4" or "Win Only"; default 1/5), "odds-on", and "rule4=N"
(N pence per pound, 0..75 in steps of 5). Legs are numbered from 1 in the order given.

  quorvel-settle --bet "Lucky 15" --stake 10 --each-way E/D --no-tax-paid \
      "Won 5/1" "Place 3/1 1/4" Lost Non-Runner
  quorvel-settle --bet Double --explain "Won 2/1 rule4=25" "Won 6/4 odds-on"

--bet takes a text of the Bet list for that number of legs, or a position in it (0, 1, ...);
--stake takes the text of the stake box ("" means 10). Errors name the field as JSON mode
does and end with exit status 2.

JSON Lines: quorvel-settle --json [--explain] [--jobs N] [FILE...] reads one slip object per
line (standard input without files, or for "-") and writes one result per line, in order:

  {"bet": "Lucky 15", "stake": 10, "eachWay": "E/D", "taxPaid": false,
   "legs": [{"result": "Won", "price": "5/1"}, {"result": "Place", "price": "3/1",
   "terms": "1/4"}, {}, {"result": "Non-Runner"}]}
  -> {"bets": 30, "totalStake": "£3.00", "returns": "£3.25"}

Slip fields: legs, bet, stake, eachWay, taxPaid, preferences {taxRate, lucky15Consolation,
lucky15Bonus, lucky31Consolation, lucky31Bonus, lucky63Consolation, lucky63Bonus}; leg
fields: result, price, oddsOn, rule4, terms. An invalid slip is answered {"error": "..."}.
Lines of spaces and tabs get no answer. Each answer is written as soon as no more input is at
hand, so a program may send one slip and wait for its answer.
Exit status: 0 every slip settled, 1 some slip was invalid, 2 bad command line or I/O error
(with no message when the reader of the answers went away).)";

// The options that describe one slip, each held by its name.
struct SlipOptions {
    CLI::Option* bet = nullptr;
    CLI::Option* stake = nullptr;
    CLI::Option* eachWay = nullptr;
    CLI::Option* taxPaid = nullptr;
    std::array<CLI::Option*, kPreferenceFields.size()> preferences{};  // kPreferenceFields order

    // The first of them given on the command line, or nullptr.
    const CLI::Option* firstGiven() const {
        for (const CLI::Option* option : {bet, stake, eachWay, taxPaid}) {
            if (option->count() > 0) {
                return option;
            }
        }
        for (const CLI::Option* option : preferences) {
            if (option->count() > 0) {
                return option;
            }
        }
        return nullptr;
    }
};

// "--lucky15-consolation" for the preference "lucky15Consolation".
std::string preferenceOption(std::string_view name) {
    std::string option = "--";
    for (const char c : name) {
        if (c >= 'A' && c <= 'Z') {
            option += '-';
            option += static_cast<char>(c - 'A' + 'a');
        } else {
            option += c;
        }
    }
    return option;
}

struct Options {
    bool json = false;
    bool explain = false;
    unsigned jobs = 0;  // 0: one a core
    SlipFlags slip;
    std::vector<std::string> arguments;
};

#ifdef _WIN32
// Windows would otherwise add "\r" to every line end of the answers and take a Ctrl-Z byte in
// the input for its end. A console shows the answers' UTF-8 "£" only in its UTF-8 code page,
// which is set for the run and put back after it.
class WindowsStreams {
  public:
    WindowsStreams() : consoleCodePage_(GetConsoleOutputCP()) {
        _setmode(_fileno(stdin), _O_BINARY);
        _setmode(_fileno(stdout), _O_BINARY);
        _setmode(_fileno(stderr), _O_BINARY);
        if (consoleCodePage_ != 0) {
            SetConsoleOutputCP(CP_UTF8);
        }
    }
    ~WindowsStreams() {
        if (consoleCodePage_ != 0) {
            SetConsoleOutputCP(consoleCodePage_);
        }
    }
    WindowsStreams(const WindowsStreams&) = delete;
    WindowsStreams& operator=(const WindowsStreams&) = delete;

  private:
    UINT consoleCodePage_;  // 0 without a console
};
#endif

// Every file is opened before any is read, so a wrong path settles nothing.
int settleJsonLines(const Options& options) {
    std::vector<std::string> paths = options.arguments;
    if (paths.empty()) {
        paths.emplace_back("-");
    }
    std::vector<InputFile> files(paths.size());
    std::vector<JsonInput> inputs;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (!files[i].open(paths[i])) {
            std::fprintf(stderr, "quorvel-settle: cannot open %s: %s\n", paths[i].c_str(),
                         std::strerror(errno));
            return kBadCommandLine;
        }
        const InputFile& file = files[i];
        inputs.push_back({file.name(), [&file](char* buffer, std::size_t size) {
                              return file.readSome(buffer, size);
                          }});
    }
    JsonLinesOptions settleOptions;
    settleOptions.explain = options.explain;
    settleOptions.jobs = options.jobs == 0 ? usableCores() : options.jobs;
    const JsonLinesOutcome outcome =
        quorvel::cli::settleJsonLines(inputs, writeStandardOutput, settleOptions);
    switch (outcome.end) {
        case JsonLinesEnd::Finished:
            return outcome.anyInvalid ? kSomeInvalid : kAllSettled;
        case JsonLinesEnd::OutputClosed:
            // Whoever reads the answers has all it wanted, as `| head` has: a filter then
            // stops without a word. Not every slip was answered, so not 0.
            return kBadCommandLine;
        case JsonLinesEnd::ReadFailed:
        case JsonLinesEnd::WriteFailed:
            break;
    }
    std::fprintf(stderr, "quorvel-settle: %s\n", outcome.error.c_str());
    return kBadCommandLine;
}

// A file of slips given without --json is read as a leg and fails as one; this is the name the
// user most likely meant as a file: one word ending in .json or .jsonl, or naming a file.
const std::string* fileMeantForJson(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        if (argument.empty() || argument.find_first_of(" \t") != std::string::npos) {
            continue;
        }
        std::error_code error;
        if (argument.ends_with(".jsonl") || argument.ends_with(".json") ||
            std::filesystem::is_regular_file(
                std::filesystem::path(std::u8string(argument.begin(), argument.end())), error)) {
            return &argument;
        }
    }
    return nullptr;
}

int settleOneSlip(Options& options) {
    options.slip.legs = options.arguments;
    SlipRequest request{};
    if (const auto error = readSlipFlags(options.slip, request)) {
        const std::string* file =
            error->field.starts_with("legs[") && error->field.ends_with("].result")
                ? fileMeantForJson(options.arguments)
                : nullptr;
        if (file != nullptr) {
            std::fprintf(stderr,
                         "quorvel-settle: %s is not a leg but a file: add --json to settle the "
                         "slips in it (quorvel-settle --json %s)\n",
                         file->c_str(), file->c_str());
        } else {
            std::fprintf(stderr, "quorvel-settle: %s\n", error->message().c_str());
        }
        return kBadCommandLine;
    }
    SlipSettler settler(options.explain);
    const std::string text =
        describeSlip(request) + describeSettlement(settler.settle(request), options.explain);
    std::fputs(text.c_str(), stdout);
    return std::fflush(stdout) == 0 ? kAllSettled : kBadCommandLine;  // quietly, as above
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    const WindowsStreams streams;
#endif
    reportClosedPipesAsErrors();
    // What the user typed, as UTF-8 on Windows too ("rule4=10p per £").
    const Utf8Arguments arguments(argc, argv);
    CLI::App app(kDescription, "quorvel-settle");
    app.footer(kFooter);
    app.set_version_flag("--version", kVersion, "Show the program's name and version");
    // A path such as /data/slips.jsonl is a file, never an option, on Windows too.
    app.allow_windows_style_options(false);
    Options options;
    app.add_flag("--json", options.json, "Settle JSON Lines from FILEs or standard input");
    app.add_flag("--explain", options.explain, "Show every settled line and its return");
    CLI::Option* jobs =
        app.add_option("--jobs", options.jobs, "Threads settling JSON Lines (default: one a core)")
            ->check(CLI::Range(1u, 1024u));
    SlipOptions slipOptions;
    std::string bet, stake, eachWay;
    slipOptions.bet =
        app.add_option("--bet", bet, "Bet list text or position (default: the list's default)");
    slipOptions.stake =
        app.add_option("--stake", stake, "Stake box text, pence per bet (default \"\": 10)");
    slipOptions.eachWay =
        app.add_option("--each-way", eachWay, "Win, E/D or \"W/W P/P\" (default Win)");
    slipOptions.taxPaid = app.add_flag("--tax-paid,!--no-tax-paid", options.slip.taxPaid,
                                       "Tax paid with the stake (default) or not");
    std::array<std::string, kPreferenceFields.size()> preferences;
    for (std::size_t i = 0; i < preferences.size(); ++i) {
        const PreferenceField& field = kPreferenceFields[i];
        slipOptions.preferences[i] =
            app.add_option(preferenceOption(field.name), preferences[i],
                           "Preference " + std::string(field.name) + ", " +
                               std::to_string(field.min) + ".." + std::to_string(field.max));
    }
    app.add_option("LEG-or-FILE", options.arguments, "Legs of the slip, or files with --json");

    try {
        app.parse(arguments.count(), arguments.values());
    } catch (const CLI::Success& e) {  // --help or --version
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kBadCommandLine;
    }

    if (options.json) {
        if (const CLI::Option* option = slipOptions.firstGiven()) {
            std::fprintf(stderr,
                         "quorvel-settle: %s describes one slip and cannot be used with --json\n",
                         option->get_name().c_str());
            return kBadCommandLine;
        }
        return settleJsonLines(options);
    }
    if (jobs->count() > 0) {
        std::fputs("quorvel-settle: --jobs settles JSON Lines and needs --json\n", stderr);
        return kBadCommandLine;
    }
    if (options.arguments.empty()) {
        std::fputs(app.help().c_str(), stderr);
        return kBadCommandLine;
    }
    if (slipOptions.bet->count() > 0) {
        options.slip.bet = bet;
    }
    if (slipOptions.stake->count() > 0) {
        options.slip.stake = stake;
    }
    if (slipOptions.eachWay->count() > 0) {
        options.slip.eachWay = eachWay;
    }
    for (std::size_t i = 0; i < preferences.size(); ++i) {
        if (slipOptions.preferences[i]->count() > 0) {
            options.slip.preferences[i] = preferences[i];
        }
    }
    return settleOneSlip(options);
}
