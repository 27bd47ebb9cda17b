#include "cli/system_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <thread>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <bit>
#else
#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <unistd.h>
#endif

namespace quorvel::cli {

namespace {

// One read or write asks for at most this much, which every system takes.
constexpr std::size_t kMostAtOnce = 1 << 30;

#ifdef _WIN32
int openForReading(const char* path) {
    return _open(path, _O_RDONLY | _O_BINARY);
}
std::ptrdiff_t readFrom(int fd, char* buffer, std::size_t size) {
    return _read(fd, buffer, static_cast<unsigned>(size));
}
std::ptrdiff_t writeTo(int fd, const char* bytes, std::size_t size) {
    return _write(fd, bytes, static_cast<unsigned>(size));
}
// Windows tells a pipe without a reader as "the pipe is being closed" or "has been ended".
bool readerGone() {
    return errno == EPIPE || _doserrno == ERROR_NO_DATA || _doserrno == ERROR_BROKEN_PIPE;
}
void closeFile(int fd) {
    _close(fd);
}
constexpr int kStandardInput = 0;
constexpr int kStandardOutput = 1;
#else
int openForReading(const char* path) {
    return ::open(path, O_RDONLY | O_CLOEXEC);
}
std::ptrdiff_t readFrom(int fd, char* buffer, std::size_t size) {
    return ::read(fd, buffer, size);
}
std::ptrdiff_t writeTo(int fd, const char* bytes, std::size_t size) {
    return ::write(fd, bytes, size);
}
bool readerGone() {
    return errno == EPIPE;
}
void closeFile(int fd) {
    ::close(fd);
}
constexpr int kStandardInput = STDIN_FILENO;
constexpr int kStandardOutput = STDOUT_FILENO;
#endif

}  // namespace

InputFile::~InputFile() {
    if (owned_) {
        closeFile(fd_);
    }
}

bool InputFile::open(const std::string& path) {
    if (path == "-") {
        fd_ = kStandardInput;
        name_ = "standard input";
        return true;
    }
    fd_ = openForReading(path.c_str());
    owned_ = fd_ >= 0;
    name_ = path;
    return owned_;
}

std::ptrdiff_t InputFile::readSome(char* buffer, std::size_t size) const {
    for (;;) {
        const std::ptrdiff_t got = readFrom(fd_, buffer, std::min(size, kMostAtOnce));
        if (got >= 0 || errno != EINTR) {
            return got;
        }
    }
}

WriteResult writeStandardOutput(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::ptrdiff_t put =
            writeTo(kStandardOutput, bytes.data(), std::min(bytes.size(), kMostAtOnce));
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return readerGone() ? WriteResult::Closed : WriteResult::Failed;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return WriteResult::Written;
}

void reportClosedPipesAsErrors() {
#ifndef _WIN32
    ::signal(SIGPIPE, SIG_IGN);
#endif
}

unsigned usableCores() {
#ifdef _WIN32
    DWORD_PTR process = 0;
    DWORD_PTR system = 0;
    if (GetProcessAffinityMask(GetCurrentProcess(), &process, &system) && process != 0) {
        return static_cast<unsigned>(std::popcount(static_cast<std::uint64_t>(process)));
    }
#else
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0) {
        return static_cast<unsigned>(CPU_COUNT(&set));
    }
#endif
    return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace quorvel::cli
