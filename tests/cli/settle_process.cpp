#include "settle_process.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

namespace quorvel::testing {

namespace {

#ifdef _WIN32

// One argument as Windows programs split their command line: quoted, with a quote and the
// backslashes before it escaped.
std::string commandLineQuoted(std::string_view text) {
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (const char c : text) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        out += c;
        backslashes = 0;
    }
    out.append(backslashes * 2, '\\');
    return out + "\"";
}

// quorvel-settle.exe is built beside the test program.
std::filesystem::path settleProgram() {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    return std::filesystem::path(std::wstring(self, length)).parent_path() / QUORVEL_SETTLE;
}

// The command line as a Windows user's shell passes it: in UTF-16, so that "£" reaches the
// program whatever the ANSI code page.
std::wstring wide(const std::string& utf8) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), size);
    return out;
}

// Runs the program with the three files as its standard streams; its exit status, or -1.
int runWithFiles(const std::string& command, const std::filesystem::path& in,
                 const std::filesystem::path& out, const std::filesystem::path& err) {
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const auto open = [&](const std::filesystem::path& path, DWORD access, DWORD disposition) {
        return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                           disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = open(in, GENERIC_READ, OPEN_EXISTING);
    startup.hStdOutput = open(out, GENERIC_WRITE, CREATE_ALWAYS);
    startup.hStdError = open(err, GENERIC_WRITE, CREATE_ALWAYS);
    PROCESS_INFORMATION process{};
    std::wstring wideCommand = wide(command);
    int status = -1;
    if (startup.hStdInput != INVALID_HANDLE_VALUE && startup.hStdOutput != INVALID_HANDLE_VALUE &&
        startup.hStdError != INVALID_HANDLE_VALUE &&
        CreateProcessW(nullptr, wideCommand.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                       nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        if (GetExitCodeProcess(process.hProcess, &code)) {
            status = static_cast<int>(code);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    for (const HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
    }
    return status;
}

#else

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

int runWithFiles(std::string command, const std::filesystem::path& in,
                 const std::filesystem::path& out, const std::filesystem::path& err) {
    command += " <" + shellQuoted(in.string()) + " >" + shellQuoted(out.string()) + " 2>" +
               shellQuoted(err.string());
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#endif

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
#ifdef _WIN32
    const auto quotedArgument = commandLineQuoted;
    std::string command = commandLineQuoted(settleProgram().string());
#else
    const auto quotedArgument = shellQuoted;
    std::string command = shellQuoted(QUORVEL_SETTLE);
#endif
    for (const std::string& argument : arguments) {
        command += ' ' + quotedArgument(argument);
    }
    SettleRun run;
    run.status = runWithFiles(command, in, folder / "stdout", folder / "stderr");
    run.out = readFile(folder / "stdout");
    run.err = readFile(folder / "stderr");
    return run;
}

std::vector<std::string> outputLines(const std::string& out) {
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

}  // namespace quorvel::testing
