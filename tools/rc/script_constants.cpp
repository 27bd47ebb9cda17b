#include "tools/rc/script_constants.h"

#include <string>
#include <unordered_map>

#include "platform/win32.h"

namespace quorvel::rc {

// Every name takes its value from platform/win32.h, the one home of the
// platform's constants.
#define PLATFORM(name) \
    { #name, name }

std::optional<long long> scriptConstant(std::string_view name) {
    static const std::unordered_map<std::string, long long> constants = {
        // window styles
        PLATFORM(WS_OVERLAPPED),
        PLATFORM(WS_POPUP),
        PLATFORM(WS_CHILD),
        PLATFORM(WS_MINIMIZE),
        PLATFORM(WS_VISIBLE),
        PLATFORM(WS_DISABLED),
        PLATFORM(WS_CLIPSIBLINGS),
        PLATFORM(WS_CLIPCHILDREN),
        PLATFORM(WS_MAXIMIZE),
        PLATFORM(WS_CAPTION),
        PLATFORM(WS_BORDER),
        PLATFORM(WS_DLGFRAME),
        PLATFORM(WS_VSCROLL),
        PLATFORM(WS_HSCROLL),
        PLATFORM(WS_SYSMENU),
        PLATFORM(WS_THICKFRAME),
        PLATFORM(WS_GROUP),
        PLATFORM(WS_TABSTOP),
        PLATFORM(WS_MINIMIZEBOX),
        PLATFORM(WS_MAXIMIZEBOX),
        PLATFORM(WS_OVERLAPPEDWINDOW),
        PLATFORM(WS_POPUPWINDOW),
        // extended window styles
        PLATFORM(WS_EX_DLGMODALFRAME),
        PLATFORM(WS_EX_NOPARENTNOTIFY),
        PLATFORM(WS_EX_TOPMOST),
        PLATFORM(WS_EX_TRANSPARENT),
        PLATFORM(WS_EX_TOOLWINDOW),
        PLATFORM(WS_EX_WINDOWEDGE),
        PLATFORM(WS_EX_CLIENTEDGE),
        PLATFORM(WS_EX_CONTEXTHELP),
        PLATFORM(WS_EX_RIGHT),
        PLATFORM(WS_EX_CONTROLPARENT),
        PLATFORM(WS_EX_STATICEDGE),
        PLATFORM(WS_EX_APPWINDOW),
        // dialog styles
        PLATFORM(DS_ABSALIGN),
        PLATFORM(DS_SYSMODAL),
        PLATFORM(DS_3DLOOK),
        PLATFORM(DS_FIXEDSYS),
        PLATFORM(DS_NOFAILCREATE),
        PLATFORM(DS_LOCALEDIT),
        PLATFORM(DS_SETFONT),
        PLATFORM(DS_MODALFRAME),
        PLATFORM(DS_NOIDLEMSG),
        PLATFORM(DS_SETFOREGROUND),
        PLATFORM(DS_CONTROL),
        PLATFORM(DS_CENTER),
        PLATFORM(DS_CENTERMOUSE),
        PLATFORM(DS_CONTEXTHELP),
        PLATFORM(DS_SHELLFONT),
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
        PLATFORM(BS_RIGHTBUTTON),
        PLATFORM(BS_LEFT),
        PLATFORM(BS_RIGHT),
        PLATFORM(BS_CENTER),
        PLATFORM(BS_TOP),
        PLATFORM(BS_BOTTOM),
        PLATFORM(BS_VCENTER),
        PLATFORM(BS_PUSHLIKE),
        PLATFORM(BS_MULTILINE),
        PLATFORM(BS_NOTIFY),
        PLATFORM(BS_FLAT),
        // edit boxes
        PLATFORM(ES_LEFT),
        PLATFORM(ES_CENTER),
        PLATFORM(ES_RIGHT),
        PLATFORM(ES_MULTILINE),
        PLATFORM(ES_UPPERCASE),
        PLATFORM(ES_LOWERCASE),
        PLATFORM(ES_PASSWORD),
        PLATFORM(ES_AUTOVSCROLL),
        PLATFORM(ES_AUTOHSCROLL),
        PLATFORM(ES_NOHIDESEL),
        PLATFORM(ES_OEMCONVERT),
        PLATFORM(ES_READONLY),
        PLATFORM(ES_WANTRETURN),
        PLATFORM(ES_NUMBER),
        // drop-down lists
        PLATFORM(CBS_SIMPLE),
        PLATFORM(CBS_DROPDOWN),
        PLATFORM(CBS_DROPDOWNLIST),
        PLATFORM(CBS_OWNERDRAWFIXED),
        PLATFORM(CBS_OWNERDRAWVARIABLE),
        PLATFORM(CBS_AUTOHSCROLL),
        PLATFORM(CBS_OEMCONVERT),
        PLATFORM(CBS_SORT),
        PLATFORM(CBS_HASSTRINGS),
        PLATFORM(CBS_NOINTEGRALHEIGHT),
        PLATFORM(CBS_DISABLENOSCROLL),
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
        PLATFORM(SS_BLACKRECT),
        PLATFORM(SS_GRAYRECT),
        PLATFORM(SS_WHITERECT),
        PLATFORM(SS_SIMPLE),
        PLATFORM(SS_LEFTNOWORDWRAP),
        PLATFORM(SS_NOPREFIX),
        PLATFORM(SS_NOTIFY),
        PLATFORM(SS_CENTERIMAGE),
        PLATFORM(SS_REALSIZEIMAGE),
        PLATFORM(SS_SUNKEN),
        // up-down controls
        PLATFORM(UDS_WRAP),
        PLATFORM(UDS_SETBUDDYINT),
        PLATFORM(UDS_ALIGNRIGHT),
        PLATFORM(UDS_ALIGNLEFT),
        PLATFORM(UDS_AUTOBUDDY),
        PLATFORM(UDS_ARROWKEYS),
        PLATFORM(UDS_HORZ),
        PLATFORM(UDS_NOTHOUSANDS),
        PLATFORM(UDS_HOTTRACK),
        // ids
        PLATFORM(IDOK),
        PLATFORM(IDCANCEL),
        PLATFORM(IDABORT),
        PLATFORM(IDRETRY),
        PLATFORM(IDIGNORE),
        PLATFORM(IDYES),
        PLATFORM(IDNO),
        PLATFORM(IDCLOSE),
        PLATFORM(IDHELP),
        // languages
        PLATFORM(LANG_NEUTRAL),
        PLATFORM(LANG_ENGLISH),
        PLATFORM(SUBLANG_NEUTRAL),
        PLATFORM(SUBLANG_DEFAULT),
        PLATFORM(SUBLANG_SYS_DEFAULT),
        PLATFORM(SUBLANG_ENGLISH_US),
        PLATFORM(SUBLANG_ENGLISH_UK),
    };
    const auto found = constants.find(std::string(name));
    if (found == constants.end()) {
        return std::nullopt;
    }
    return found->second;
}

#undef PLATFORM

}  // namespace quorvel::rc
