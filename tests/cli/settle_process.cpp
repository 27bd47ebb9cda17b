#include "settle_process.h"

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace quorvel::testing {

namespace {

std::string shellQuoted(std::string_view text) {
    std::string out = "'";
    for (const char c : text) {
        if (c == '\'') {
            out += "'\\''";
        } else {
            out += c;
        }
    }
    return out + "'";
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::filesystem::path scratchFolder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "quorvel-cli-tests" /
                                   (std::string(test->test_suite_name()) + "." + test->name());
    std::filesystem::create_directories(folder);
    return folder;
}

}  // namespace

std::string scratchFile(std::string_view name, std::string_view content) {
    const std::filesystem::path path = scratchFolder() / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
}

SettleRun runSettle(const std::vector<std::string>& arguments, std::string_view input) {
    const std::filesystem::path folder = scratchFolder();
    const std::string in = scratchFile("stdin", input);
    std::string command = shellQuoted(QUORVEL_SETTLE);
    for (const std::string& argument : arguments) {
        command += ' ' + shellQuoted(argument);
    }
    command += " <" + shellQuoted(in) + " >" + shellQuoted((folder / "stdout").string()) + " 2>" +
               shellQuoted((folder / "stderr").string());
    const int status = std::system(command.c_str());
    SettleRun run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = readFile(folder / "stdout");
    run.err = readFile(folder / "stderr");
    return run;
}

std::string settleJsonLine(std::string_view slip, const std::vector<std::string>& options) {
    std::vector<std::string> arguments = {"--json"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    std::string oneLine(slip);
    for (char& c : oneLine) {
        c = c == '\n' ? ' ' : c;
    }
    const SettleRun run = runSettle(arguments, oneLine + "\n");
    const std::vector<std::string> lines = outputLines(run.out);
    if (lines.size() != 1) {
        ADD_FAILURE() << "expected one answer line, got:\n" << run.out << run.err;
        return {};
    }
    return lines[0];
}

std::vector<std::string> outputLines(const std::string& out) {
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string reportedValue(const std::string& out, std::string_view name) {
    for (const std::string& line : outputLines(out)) {
        if (line.starts_with(name) && line.size() > name.size() && line[name.size()] == ' ') {
            const std::size_t value = line.find_first_not_of(' ', name.size());
            return value == std::string::npos ? std::string() : line.substr(value);
        }
    }
    return "(no " + std::string(name) + " line)";
}

}  // namespace quorvel::testing
