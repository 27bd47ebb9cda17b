// The preprocessor of resource scripts: which lines #if, #ifdef, #elif and
// #else keep, what defined() and macros give, and the errors it names.

#include <gtest/gtest.h>

#include <deque>
#include <map>

#include "tools/rc/script_reader.h"

namespace quorvel::testing {
using namespace rc::script;
namespace {

struct Kept {
    std::string text;  // the tokens kept, separated by spaces
    std::string error;
};

Kept run(const std::string& script) {
    const std::map<std::string, std::string> files = {
        {"app.rc", script},
        {"once.h", "#pragma once\nonce\n"},
    };
    Kept result;
    try {
        std::vector<std::string> read;
        std::deque<std::string> names;
        const Preprocessed out = preprocess(
            "app.rc",
            [&files](const std::string& path) -> std::optional<std::string> {
                const auto found = files.find(path);
                return found == files.end() ? std::nullopt : std::optional(found->second);
            },
            read, names);
        for (const Token& token : out.tokens) {
            result.text += (result.text.empty() ? "" : " ") + token.text;
        }
    } catch (const ScriptError& error) {
        result.error = error.message;
    }
    return result;
}

struct KeptCase {
    const char* name;
    const char* script;
    const char* kept;
    friend void PrintTo(const KeptCase& row, std::ostream* out) { *out << row.name; }
};

const KeptCase kKept[] = {
    {"else_of_false", "#if 0\nno\n#else\nyes\n#endif\n", "yes"},
    {"first_true_elif_only", "#if 0\na\n#elif 1\nb\n#elif 1\nc\n#else\nd\n#endif\n", "b"},
    {"nested_if_in_a_false_branch_stays_off",
     "#if 0\n#if 1\nno\n#else\nno\n#endif\n#else\nyes\n#endif\n", "yes"},
    {"ifdef_and_ifndef", "#define X\n#ifdef X\na\n#endif\n#ifndef X\nb\n#endif\n", "a"},
    {"defined_with_and_without_parentheses",
     "#define X 0\n#if defined(X) && defined X && !defined(Y)\nyes\n#endif\n", "yes"},
    {"self_reference_stops", "#define A A + 1\nA\n", "A + 1"},
    {"include_once", "#include \"once.h\"\n#include \"once.h\"\n", "once"},
    {"built_in_names", "#if defined(RC_INVOKED) && _WIN32\nyes\n#endif\n", "yes"},
    {"editors_header_gives_the_static_id", "#include <winres.h>\nIDC_STATIC\n", "-1"},
    {"c_arithmetic_wraps_without_overflowing",
     "#if 0xFFFFFFFF * 0xFFFFFFFF * 0xFFFFFFFF == 3 * 65536 * 65536 - 1\n"
     "#if -7 / 2 == -3 && (1 | 6 ^ 3 & 5) == 7\nyes\n#endif\n#endif\n",
     "yes"},
    {"continued_line", "#define LONG 1 + \\\n 2\nLONG\n", "1 + 2"},
};

class PreprocessorKeeps : public ::testing::TestWithParam<KeptCase> {};

TEST_P(PreprocessorKeeps, the_lines_of_the_branch_taken) {
    const Kept result = run(GetParam().script);
    EXPECT_EQ(result.error, "");
    EXPECT_EQ(result.text, GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(preprocessor, PreprocessorKeeps, ::testing::ValuesIn(kKept),
                         [](const auto& row) { return std::string(row.param.name); });

const KeptCase kErrors[] = {
    {"else_twice", "#if 1\n#else\n#else\n#endif\n", "app.rc:3: #else without its #if"},
    {"endif_alone", "\n#endif\n", "app.rc:2: #endif without its #if"},
    {"division_by_zero", "\n\n#if 1 / 0\n#endif\n", "app.rc:3: division by zero"},
    {"shift_out_of_range", "#if 1 >> 33\n#endif\n", "app.rc:1: shift out of range"},
    {"number_past_32_bits", "#if 0x100000000\n#endif\n", "app.rc:1: bad number '0x100000000'"},
    {"error_directive", "#error stop here\n", "app.rc:1: #error stop here"},
    {"unknown_directive", "#frobnicate\n", "app.rc:1: unknown directive #frobnicate"},
    {"unsupported_code_page", "#pragma code_page(850)\n",
     "app.rc:1: code page 850 is not supported (1252 or 65001)"},
};

class PreprocessorErrors : public ::testing::TestWithParam<KeptCase> {};

TEST_P(PreprocessorErrors, name_the_line) {
    EXPECT_EQ(run(GetParam().script).error, GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(preprocessor, PreprocessorErrors, ::testing::ValuesIn(kErrors),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quorvel::testing
