#include "platform/core/script_constants.h"

#include <string>
#include <unordered_map>

#include "platform/win32.h"

namespace quorvel::platform {

// The names the program's code uses take their values from platform/win32.h;
// the rest are known to scripts only.
#define PLATFORM(name) \
    { #name, name }

std::optional<long long> scriptConstant(std::string_view name) {
    static const std::unordered_map<std::string, long long> constants = {
        // window styles
        {"WS_OVERLAPPED", 0x00000000},
        PLATFORM(WS_POPUP),
        PLATFORM(WS_CHILD),
        {"WS_MINIMIZE", 0x20000000},
        PLATFORM(WS_VISIBLE),
        PLATFORM(WS_DISABLED),
        {"WS_CLIPSIBLINGS", 0x04000000},
        {"WS_CLIPCHILDREN", 0x02000000},
        {"WS_MAXIMIZE", 0x01000000},
        PLATFORM(WS_CAPTION),
        PLATFORM(WS_BORDER),
        PLATFORM(WS_DLGFRAME),
        PLATFORM(WS_VSCROLL),
        PLATFORM(WS_HSCROLL),
        PLATFORM(WS_SYSMENU),
        {"WS_THICKFRAME", 0x00040000},
        PLATFORM(WS_GROUP),
        PLATFORM(WS_TABSTOP),
        PLATFORM(WS_MINIMIZEBOX),
        PLATFORM(WS_MAXIMIZEBOX),
        {"WS_OVERLAPPEDWINDOW", 0x00CF0000},
        {"WS_POPUPWINDOW", 0x80880000},
        // extended window styles
        PLATFORM(WS_EX_DLGMODALFRAME),
        {"WS_EX_NOPARENTNOTIFY", 0x00000004},
        PLATFORM(WS_EX_TOPMOST),
        {"WS_EX_TRANSPARENT", 0x00000020},
        PLATFORM(WS_EX_TOOLWINDOW),
        PLATFORM(WS_EX_WINDOWEDGE),
        PLATFORM(WS_EX_CLIENTEDGE),
        {"WS_EX_CONTEXTHELP", 0x00000400},
        {"WS_EX_RIGHT", 0x00001000},
        PLATFORM(WS_EX_CONTROLPARENT),
        PLATFORM(WS_EX_STATICEDGE),
        PLATFORM(WS_EX_APPWINDOW),
        // dialog styles
        {"DS_ABSALIGN", 0x0001},
        {"DS_SYSMODAL", 0x0002},
        PLATFORM(DS_3DLOOK),
        {"DS_FIXEDSYS", 0x0008},
        {"DS_NOFAILCREATE", 0x0010},
        {"DS_LOCALEDIT", 0x0020},
        PLATFORM(DS_SETFONT),
        PLATFORM(DS_MODALFRAME),
        {"DS_NOIDLEMSG", 0x0100},
        {"DS_SETFOREGROUND", 0x0200},
        {"DS_CONTROL", 0x0400},
        PLATFORM(DS_CENTER),
        {"DS_CENTERMOUSE", 0x1000},
        {"DS_CONTEXTHELP", 0x2000},
        {"DS_SHELLFONT", 0x0048},
        // buttons
        PLATFORM(BS_PUSHBUTTON),
        PLATFORM(BS_DEFPUSHBUTTON),
        PLATFORM(BS_CHECKBOX),
        PLATFORM(BS_AUTOCHECKBOX),
        PLATFORM(BS_RADIOBUTTON),
        PLATFORM(BS_3STATE),
        PLATFORM(BS_AUTO3STATE),
        PLATFORM(BS_GROUPBOX),
        PLATFORM(BS_AUTORADIOBUTTON),
        PLATFORM(BS_LEFTTEXT),
        {"BS_RIGHTBUTTON", 0x20},
        {"BS_LEFT", 0x100},
        {"BS_RIGHT", 0x200},
        {"BS_CENTER", 0x300},
        {"BS_TOP", 0x400},
        {"BS_BOTTOM", 0x800},
        {"BS_VCENTER", 0xC00},
        {"BS_PUSHLIKE", 0x1000},
        {"BS_MULTILINE", 0x2000},
        {"BS_NOTIFY", 0x4000},
        {"BS_FLAT", 0x8000},
        // edit boxes
        PLATFORM(ES_LEFT),
        {"ES_CENTER", 0x1},
        {"ES_RIGHT", 0x2},
        {"ES_MULTILINE", 0x4},
        {"ES_UPPERCASE", 0x8},
        {"ES_LOWERCASE", 0x10},
        {"ES_PASSWORD", 0x20},
        {"ES_AUTOVSCROLL", 0x40},
        PLATFORM(ES_AUTOHSCROLL),
        {"ES_NOHIDESEL", 0x100},
        {"ES_OEMCONVERT", 0x400},
        PLATFORM(ES_READONLY),
        {"ES_WANTRETURN", 0x1000},
        {"ES_NUMBER", 0x2000},
        // drop-down lists
        PLATFORM(CBS_SIMPLE),
        {"CBS_DROPDOWN", 0x2},
        PLATFORM(CBS_DROPDOWNLIST),
        {"CBS_OWNERDRAWFIXED", 0x10},
        {"CBS_OWNERDRAWVARIABLE", 0x20},
        {"CBS_AUTOHSCROLL", 0x40},
        {"CBS_OEMCONVERT", 0x80},
        {"CBS_SORT", 0x100},
        {"CBS_HASSTRINGS", 0x200},
        {"CBS_NOINTEGRALHEIGHT", 0x400},
        {"CBS_DISABLENOSCROLL", 0x800},
        // list views
        PLATFORM(LVS_REPORT),
        PLATFORM(LVS_SINGLESEL),
        PLATFORM(LVS_SHOWSELALWAYS),
        PLATFORM(LVS_NOSORTHEADER),
        // static controls
        PLATFORM(SS_LEFT),
        PLATFORM(SS_CENTER),
        PLATFORM(SS_RIGHT),
        PLATFORM(SS_ICON),
        {"SS_BLACKRECT", 0x4},
        {"SS_GRAYRECT", 0x5},
        {"SS_WHITERECT", 0x6},
        {"SS_SIMPLE", 0xB},
        {"SS_LEFTNOWORDWRAP", 0xC},
        {"SS_NOPREFIX", 0x80},
        {"SS_NOTIFY", 0x100},
        {"SS_CENTERIMAGE", 0x200},
        {"SS_REALSIZEIMAGE", 0x800},
        {"SS_SUNKEN", 0x1000},
        // up-down controls
        {"UDS_WRAP", 0x1},
        PLATFORM(UDS_SETBUDDYINT),
        PLATFORM(UDS_ALIGNRIGHT),
        {"UDS_ALIGNLEFT", 0x8},
        {"UDS_AUTOBUDDY", 0x10},
        PLATFORM(UDS_ARROWKEYS),
        {"UDS_HORZ", 0x40},
        {"UDS_NOTHOUSANDS", 0x80},
        {"UDS_HOTTRACK", 0x100},
        // ids
        PLATFORM(IDOK),
        PLATFORM(IDCANCEL),
        {"IDABORT", 3},
        {"IDRETRY", 4},
        {"IDIGNORE", 5},
        {"IDYES", 6},
        {"IDNO", 7},
        {"IDCLOSE", 8},
        {"IDHELP", 9},
        // languages
        {"LANG_NEUTRAL", 0x00},
        {"LANG_ENGLISH", 0x09},
        {"SUBLANG_NEUTRAL", 0x00},
        {"SUBLANG_DEFAULT", 0x01},
        {"SUBLANG_SYS_DEFAULT", 0x02},
        {"SUBLANG_ENGLISH_US", 0x01},
        {"SUBLANG_ENGLISH_UK", 0x02},
    };
    const auto found = constants.find(std::string(name));
    if (found == constants.end()) {
        return std::nullopt;
    }
    return found->second;
}

#undef PLATFORM

}  // namespace quorvel::platform
