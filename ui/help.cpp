#include "ui/help.h"

#include <string>

namespace quorvel {

// Where the guide is, from the program's own folder: installed (beside the programs on
// Windows, share/doc/quorvel on Linux), then the build folder's doc/ beside bin/. The first is
// where the guide should be when none is found. Each section has a page of its own that opens
// the guide there, since a browser started with a file cannot be given a #section through the
// Windows shell or xdg-open.
#ifdef _WIN32
// Paths in UTF-16, as the shell takes them, so a folder of any name works.
using PathText = std::wstring;
#define QUORVEL_PATH(text) L##text

namespace {

constexpr const wchar_t* kGuideFolders[] = {L"doc\\", L"..\\doc\\"};
constexpr wchar_t kSeparator = L'\\';

PathText programFolder() {
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

bool isFile(const PathText& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool shellOpen(HWND owner, const PathText& path) {
    const HINSTANCE result =
        ShellExecuteW(owner, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

// For the message box, in the code page its text is read in.
std::string shown(const PathText& path) {
    const int size = WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, out.data(), size, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

PathText pathText(const char* ascii) {
    return PathText(ascii, ascii + std::char_traits<char>::length(ascii));
}

}  // namespace
#else
using PathText = std::string;
#define QUORVEL_PATH(text) text

namespace {

constexpr const char* kGuideFolders[] = {"../share/doc/quorvel/", "../doc/"};
constexpr char kSeparator = '/';

PathText programFolder() {
    std::string path(4096, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return path.substr(0, path.find_last_of('/') + 1);
}

bool isFile(const PathText& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool shellOpen(HWND owner, const PathText& path) {
    const HINSTANCE result =
        ShellExecuteA(owner, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

std::string shown(const PathText& path) {
    return path;
}

PathText pathText(const char* ascii) {
    return ascii;
}

}  // namespace
#endif

namespace {

// "a/b/../c" as "a/c", so the message names the folder plainly.
PathText withoutUpLevels(PathText path) {
    const PathText up = PathText(1, kSeparator) + QUORVEL_PATH("..") + kSeparator;
    for (std::size_t at = path.find(up); at != PathText::npos && at > 0; at = path.find(up)) {
        const std::size_t start = path.rfind(kSeparator, at - 1);
        if (start == PathText::npos) {
            break;
        }
        path.erase(start, at + up.size() - 1 - start);
    }
    return path;
}

void tellWhereTheGuideShouldBe(HWND owner, const PathText& guide, bool found) {
    const std::string text =
        (found ? "The user's guide could not be opened: no program to show it was found. It is "
                 "at\n\n"
               : "The user's guide was not found. It should be at\n\n") +
        shown(guide);
    MessageBoxA(owner, text.c_str(), "Quorvel", MB_OK | MB_ICONWARNING);
}

}  // namespace

const char* guideAnchor(GuideSection section) {
    switch (section) {
        case GuideSection::MainWindow:
            return "main-window";
        case GuideSection::Preferences:
            return "preferences";
        case GuideSection::PlaceOdds:
            return "place-odds";
        case GuideSection::Working:
            return "working";
        case GuideSection::Contents:
            break;
    }
    return "";
}

void openGuide(HWND owner, GuideSection section) {
    const PathText programs = programFolder();
    const std::string anchor = guideAnchor(section);
    const PathText guidePage = pathText("guide.html");
    const PathText sectionPage = pathText(("guide-" + anchor + ".html").c_str());
    for (const auto* guideFolder : kGuideFolders) {
        const PathText folder = programs + guideFolder;
        const PathText guide = withoutUpLevels(folder + guidePage);
        if (!isFile(guide)) {
            continue;
        }
        const PathText page = withoutUpLevels(folder + sectionPage);
        if (!shellOpen(owner, !anchor.empty() && isFile(page) ? page : guide)) {
            tellWhereTheGuideShouldBe(owner, guide, true);
        }
        return;
    }
    tellWhereTheGuideShouldBe(owner, withoutUpLevels(programs + kGuideFolders[0] + guidePage),
                              false);
}

}  // namespace quorvel
