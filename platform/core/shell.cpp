// The program's own file, files on disk, and opening a file with the desktop's program for it.

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32.h"

extern char** environ;

namespace {

// xdg-open runs as long as the program it starts, for some desktops, or ends at once with the
// answer. Either it has said it failed within this time, or it is taken to have opened the
// file; one still running is reaped at a later call.
constexpr auto kAnswerTime = std::chrono::seconds(3);

std::vector<pid_t>& stillRunning() {
    static std::vector<pid_t> pids;
    return pids;
}

void reapFinished() {
    std::erase_if(stillRunning(), [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

HINSTANCE answer(INT_PTR code) {
    return reinterpret_cast<HINSTANCE>(code);
}

}  // namespace

DWORD WINAPI GetModuleFileNameA(HMODULE /*module*/, LPSTR buffer, DWORD size) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    const ssize_t length = readlink("/proc/self/exe", buffer, size);
    if (length < 0) {
        buffer[0] = '\0';
        return 0;
    }
    if (static_cast<DWORD>(length) >= size) {  // cut short, as the platform does
        buffer[size - 1] = '\0';
        return size;
    }
    buffer[length] = '\0';
    return static_cast<DWORD>(length);
}

DWORD WINAPI GetFileAttributesA(LPCSTR path) {
    struct stat status {};
    if (path == nullptr || stat(path, &status) != 0) {
        return INVALID_FILE_ATTRIBUTES;
    }
    return S_ISDIR(status.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : 0x80;  // FILE_ATTRIBUTE_NORMAL
}

HINSTANCE WINAPI ShellExecuteA(HWND /*owner*/, LPCSTR operation, LPCSTR file, LPCSTR /*parameters*/,
                               LPCSTR /*directory*/, INT /*showCommand*/) {
    reapFinished();
    if (file == nullptr || (operation != nullptr && std::strcmp(operation, "open") != 0)) {
        return answer(SE_ERR_NOASSOC);
    }
    if (GetFileAttributesA(file) == INVALID_FILE_ATTRIBUTES) {
        return answer(ERROR_FILE_NOT_FOUND);
    }
    char program[] = "xdg-open";
    std::string path = file;
    char* arguments[] = {program, path.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, program, nullptr, nullptr, arguments, environ) != 0) {
        return answer(SE_ERR_NOASSOC);  // no xdg-open
    }
    const auto deadline = std::chrono::steady_clock::now() + kAnswerTime;
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            // xdg-open ends with 0 when the desktop took the file, otherwise with why not.
            return answer(WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 42 : SE_ERR_NOASSOC);
        }
        if (done < 0 && errno != EINTR) {
            return answer(SE_ERR_NOASSOC);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    stillRunning().push_back(pid);
    return answer(42);
}
