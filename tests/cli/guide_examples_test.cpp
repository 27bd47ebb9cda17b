// The user's guide teaches with slips settled by quorvel-settle. Each of its `console` blocks is
// run here as written, and what the guide shows of the answer must be what the tool prints; every
// amount in pounds anywhere in the guide must be one the tool printed for one of those slips.

#include <algorithm>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lines.h"
#include "settle_process.h"

namespace {

using quorvel::testing::runSettle;

struct Example {
    int line = 0;                    // where the command starts in the guide
    std::string command;             // as written, continuation lines joined
    std::vector<std::string> shown;  // the lines of the answer the guide shows
};

std::string readGuide() {
    std::ifstream file(QUORVEL_GUIDE, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<Example> examples(const std::string& guide) {
    std::vector<Example> out;
    std::istringstream in(guide);
    std::string line;
    bool inBlock = false;
    bool continued = false;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.starts_with("```")) {
            inBlock = !inBlock && line == "```console";
            continued = false;
            continue;
        }
        if (!inBlock) {
            continue;
        }
        if (continued) {
            out.back().command += ' ';
            out.back().command += line;
        } else if (line.starts_with("$ ")) {
            out.push_back({number, line.substr(2), {}});
        } else if (!out.empty()) {
            out.back().shown.push_back(line);
            continue;
        }
        continued = out.back().command.ends_with('\\');
        if (continued) {
            out.back().command.pop_back();
        }
    }
    return out;
}

// The words of a command line as a POSIX shell splits them (quotes only: the guide uses no
// other shell syntax). A word "|" is kept as it is.
std::vector<std::string> words(const std::string& command) {
    std::vector<std::string> out;
    std::string word;
    bool inWord = false;
    for (std::size_t i = 0; i < command.size(); ++i) {
        const char c = command[i];
        if (c == '"' || c == '\'') {
            const std::size_t end = command.find(c, i + 1);
            word += command.substr(i + 1, end - i - 1);
            i = end;
            inWord = true;
        } else if (c == ' ') {
            if (inWord) {
                out.push_back(word);
            }
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        out.push_back(word);
    }
    return out;
}

struct Command {
    std::vector<std::string> arguments;
    std::string input;
};

// `quorvel-settle ARGS`, or `echo 'TEXT' | quorvel-settle ARGS`.
Command toRun(const std::string& command) {
    Command run;
    std::vector<std::string> all = words(command);
    if (all.size() >= 3 && all[0] == "echo" && all[2] == "|") {
        run.input = all[1] + "\n";
        all.erase(all.begin(), all.begin() + 3);
    }
    EXPECT_FALSE(all.empty());
    EXPECT_EQ(all.front(), "quorvel-settle") << command;
    if (!all.empty()) {
        run.arguments.assign(all.begin() + 1, all.end());
    }
    return run;
}

// Amounts in pounds as "£1,234.5" or "£6" are written, in hundredths of a penny.
std::set<long long> amounts(const std::string& text) {
    static const std::regex money("\xC2\xA3([0-9][0-9,]*)(\\.([0-9]{1,4}))?");
    std::set<long long> out;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), money);
         it != std::sregex_iterator(); ++it) {
        std::string pounds = (*it)[1];
        std::erase(pounds, ',');
        std::string fraction = (*it)[3];
        fraction.resize(4, '0');
        if (pounds.size() > 12) {
            continue;
        }
        out.insert(std::stoll(pounds) * 10000 + std::stoll(fraction));
    }
    return out;
}

TEST(guide, every_example_prints_what_the_guide_shows_and_every_amount_in_it_was_printed) {
    const std::string guide = readGuide();
    ASSERT_FALSE(guide.empty()) << "cannot read " << QUORVEL_GUIDE;
    const std::vector<Example> all = examples(guide);
    ASSERT_GE(all.size(), 30u) << "the guide's examples were not found";

    std::set<long long> printed;
    for (const Example& example : all) {
        SCOPED_TRACE("guide line " + std::to_string(example.line) + ": " + example.command);
        Command run = toRun(example.command);
        const auto answer = runSettle(run.arguments, run.input);
        EXPECT_EQ(answer.status, 0) << answer.err;
        EXPECT_FALSE(example.shown.empty()) << "the guide shows no answer";
        // The guide may leave lines out, never change or reorder them.
        const std::vector<std::string> lines = quorvel::testing::lines(answer.out);
        auto at = lines.begin();
        for (const std::string& shown : example.shown) {
            at = std::find(at, lines.end(), shown);
            EXPECT_TRUE(at != lines.end())
                << "shown but not printed (or out of order): " << shown << "\nprinted:\n"
                << answer.out;
            if (at == lines.end()) {
                break;
            }
            ++at;
        }
        printed.merge(amounts(answer.out));
        // The lines' own returns, for the prose that works an example through.
        if (run.input.empty()) {
            run.arguments.insert(run.arguments.begin(), "--explain");
            printed.merge(amounts(runSettle(run.arguments).out));
        }
    }

    for (const long long amount : amounts(guide)) {
        EXPECT_TRUE(printed.contains(amount))
            << "the guide names £" << amount / 10000 << "." << amount % 10000 / 100
            << " but no example settles to it";
    }
}

}  // namespace
