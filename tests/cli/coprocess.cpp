#include "coprocess.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

#include "settle_process.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace quorvel::testing {

#ifdef _WIN32

namespace {

std::wstring wide(std::string_view text) {
    std::wstring out(text.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           out.data(), static_cast<int>(out.size()));
    out.resize(static_cast<std::size_t>(length));
    return out;
}

// Quoted as Windows programs split their command line.
std::wstring quotedArgument(std::wstring_view text) {
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : text) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        out += c;
        backslashes = 0;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

void closeHandle(void*& handle) {
    if (handle != nullptr) {
        CloseHandle(handle);
        handle = nullptr;
    }
}

}  // namespace

Coprocess::Coprocess(const std::vector<std::string>& arguments) {
    errorPath_ = scratchFile("coprocess-stderr", "");
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::filesystem::path program =
        std::filesystem::path(std::wstring(self, length)).parent_path() / QUORVEL_SETTLE;
    std::wstring command = quotedArgument(program.wstring());
    for (const std::string& argument : arguments) {
        command += L' ' + quotedArgument(wide(argument));
    }
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE childInput = nullptr;
    HANDLE childOutput = nullptr;
    if (!CreatePipe(&childInput, &input_, &inherited, 0) ||
        !CreatePipe(&output_, &childOutput, &inherited, 0)) {
        return;
    }
    SetHandleInformation(input_, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(output_, HANDLE_FLAG_INHERIT, 0);
    HANDLE childErrors =
        CreateFileW(wide(errorPath_).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &inherited, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childInput;
    startup.hStdOutput = childOutput;
    startup.hStdError = childErrors;
    PROCESS_INFORMATION process{};
    started_ = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                              nullptr, nullptr, &startup, &process) != 0;
    if (started_) {
        process_ = process.hProcess;
        CloseHandle(process.hThread);
    }
    CloseHandle(childInput);
    CloseHandle(childOutput);
    CloseHandle(childErrors);
}

Coprocess::~Coprocess() {
    wait();
    closeHandle(process_);
}

void Coprocess::send(std::string_view text) {
    DWORD written = 0;
    WriteFile(input_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

bool Coprocess::readMore() {
    char chunk[4096];
    DWORD got = 0;
    if (output_ == nullptr || !ReadFile(output_, chunk, sizeof chunk, &got, nullptr) || got == 0) {
        return false;
    }
    buffered_.append(chunk, got);
    return true;
}

void Coprocess::closeInput() {
    closeHandle(input_);
}

void Coprocess::closeOutput() {
    closeHandle(output_);
}

int Coprocess::wait() {
    closeInput();
    readAll();  // so that the program never waits to write its answers
    if (process_ != nullptr && status_ < 0) {
        WaitForSingleObject(process_, INFINITE);
        DWORD code = 0;
        if (GetExitCodeProcess(process_, &code)) {
            status_ = static_cast<int>(code);
        }
    }
    closeOutput();
    return status_;
}

#else

namespace {

// quorvel-settle may end before it has read all it was sent (a bad command line ends it at
// once), and a write into a pipe nobody reads raises SIGPIPE, which would end the test
// program. Here such a write only fails; the program itself starts with the default action,
// as a shell would start it.
void ignoreBrokenPipes() {
    static const bool ignored = [] {
        ::signal(SIGPIPE, SIG_IGN);
        return true;
    }();
    (void)ignored;
}

void closeFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

}  // namespace

Coprocess::Coprocess(const std::vector<std::string>& arguments) {
    errorPath_ = scratchFile("coprocess-stderr", "");
    ignoreBrokenPipes();
    int toChild[2];
    int fromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0) {
        return;
    }
    if (::pipe2(fromChild, O_CLOEXEC) != 0) {
        ::close(toChild[0]);
        ::close(toChild[1]);
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toChild[0], 0);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, errorPath_.c_str(), O_WRONLY | O_TRUNC, 0);
    std::vector<std::string> words = {QUORVEL_SETTLE};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    pid_t pid = -1;
    started_ = posix_spawn(&pid, QUORVEL_SETTLE, &actions, &attributes, argv.data(), environ) == 0;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    pid_ = started_ ? pid : -1;
    ::close(toChild[0]);
    ::close(fromChild[1]);
    input_ = toChild[1];
    output_ = fromChild[0];
}

Coprocess::~Coprocess() {
    wait();
}

void Coprocess::send(std::string_view text) {
    while (!text.empty() && input_ >= 0) {
        const ssize_t put = ::write(input_, text.data(), text.size());
        if (put <= 0) {
            return;
        }
        text.remove_prefix(static_cast<std::size_t>(put));
    }
}

bool Coprocess::readMore() {
    char chunk[4096];
    const ssize_t got = output_ < 0 ? 0 : ::read(output_, chunk, sizeof chunk);
    if (got <= 0) {
        return false;
    }
    buffered_.append(chunk, static_cast<std::size_t>(got));
    return true;
}

void Coprocess::closeInput() {
    closeFd(input_);
}

void Coprocess::closeOutput() {
    closeFd(output_);
}

int Coprocess::wait() {
    closeInput();
    readAll();  // so that the program never waits to write its answers
    if (pid_ > 0 && status_ < 0) {
        int status = 0;
        if (::waitpid(pid_, &status, 0) == pid_) {
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        pid_ = -1;
    }
    closeOutput();
    return status_;
}

#endif

std::string Coprocess::readLine() {
    std::size_t end = buffered_.find('\n');
    for (; end == std::string::npos; end = buffered_.find('\n')) {
        if (!readMore()) {
            return std::exchange(buffered_, std::string());
        }
    }
    std::string line = buffered_.substr(0, end);
    buffered_.erase(0, end + 1);
    return line;
}

std::string Coprocess::readAll() {
    while (readMore()) {
    }
    return std::exchange(buffered_, std::string());
}

std::string Coprocess::errors() const {
    std::ifstream in(std::filesystem::path(errorPath_), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace quorvel::testing
