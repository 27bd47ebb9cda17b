#include "in_process.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace quorvel::testing {

Settled settleInputs(const std::vector<std::string>& inputs, const cli::JsonLinesOptions& options,
                     std::size_t readBytes) {
    std::vector<std::string_view> left(inputs.begin(), inputs.end());
    std::vector<cli::JsonInput> sources;
    for (std::string_view& rest : left) {
        sources.push_back({"input", [&rest, readBytes](char* buffer, std::size_t size) {
                               const std::size_t n = std::min({size, readBytes, rest.size()});
                               std::memcpy(buffer, rest.data(), n);
                               rest.remove_prefix(n);
                               return static_cast<std::ptrdiff_t>(n);
                           }});
    }
    Settled settled;
    settled.outcome = cli::settleJsonLines(
        sources,
        [&settled](std::string_view text) {
            settled.out += text;
            return cli::WriteResult::Written;
        },
        options);
    return settled;
}

std::vector<std::string> settleJsonLines(const std::vector<std::string>& slips, bool explain) {
    std::string input;
    for (const std::string& slip : slips) {
        for (const char c : slip) {
            input += c == '\n' ? ' ' : c;
        }
        input += '\n';
    }
    cli::JsonLinesOptions options;
    options.explain = explain;
    std::vector<std::string> answers = lines(settleInputs({input}, options).out);
    EXPECT_EQ(answers.size(), slips.size());
    answers.resize(slips.size());
    return answers;
}

void expectAnswers(const std::vector<AnsweredSlip>& rows) {
    std::vector<std::string> slips;
    for (const AnsweredSlip& row : rows) {
        slips.emplace_back(row.slip);
    }
    const std::vector<std::string> answers = settleJsonLines(slips);
    const std::vector<std::string> explained = settleJsonLines(slips, true);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(std::string(rows[i].name) + ": " + rows[i].slip);
        EXPECT_EQ(answers[i], rows[i].answer);
        const std::string& answer = rows[i].answer;
        EXPECT_TRUE(
            answer.starts_with("{\"error")
                ? explained[i] == answer
                : explained[i].starts_with(answer.substr(0, answer.size() - 1) + ", \"lines\": ["))
            << explained[i];
    }
}

}  // namespace quorvel::testing
