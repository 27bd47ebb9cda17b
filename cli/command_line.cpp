#include "cli/command_line.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>
#endif

namespace quorvel::cli {

namespace {

#ifdef _WIN32
std::string utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return {};
    }
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    out.pop_back();  // the terminating zero
    return out;
}

// The command line split as the C runtime splits it, each argument in UTF-8;
// empty if Windows cannot give it.
std::vector<std::string> wideCommandLine() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr) {
        return {};
    }
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        out.push_back(utf8(arguments[i]));
    }
    LocalFree(arguments);
    return out;
}
#endif

}  // namespace

Utf8Arguments::Utf8Arguments(int argc, const char* const* argv) {
#ifdef _WIN32
    texts_ = wideCommandLine();
#endif
    if (texts_.empty()) {
        pointers_.assign(argv, argv + argc);
    } else {
        for (const std::string& text : texts_) {
            pointers_.push_back(text.c_str());
        }
    }
    pointers_.push_back(nullptr);
}

}  // namespace quorvel::cli
