// quorvel.exe: the C runtime of a Windows GUI program calls WinMain
// (ui/app_shell.cpp). The program's only object names it, so that the linker
// takes it from quorvel_ui, and makes the common controls ready (the up-down
// arrows of Preferences) before WinMain runs.
#include "ui/app_shell.h"

extern int(WINAPI* const quorvelEntry)(HINSTANCE, HINSTANCE, LPSTR, int);
int(WINAPI* const quorvelEntry)(HINSTANCE, HINSTANCE, LPSTR, int) = &WinMain;

namespace {
[[maybe_unused]] const bool commonControlsReady = (InitCommonControls(), true);
}  // namespace
