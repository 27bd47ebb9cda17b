// Windows: the description is a property Active Accessibility's property
// services hold for the control's window, which screen readers read through
// IAccessible::get_accDescription.

#include "platform/accessible_description.h"

#include <initguid.h>
#include <objbase.h>
#include <oleacc.h>

#include <string>

namespace quorvel::platform {
namespace {

// Made once, on the window thread, and kept for the life of the program.
IAccPropServices* propertyServices() {
    static IAccPropServices* const services = [] {
        IAccPropServices* made = nullptr;
        // S_FALSE when the thread already has COM: either way it may go on.
        if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
            return made;
        }
        if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IAccPropServices, reinterpret_cast<void**>(&made)))) {
            made = nullptr;
        }
        return made;
    }();
    return services;
}

}  // namespace

void setAccessibleDescription(HWND control, const char* description) {
    IAccPropServices* services = propertyServices();
    if (services == nullptr || control == nullptr) {
        return;
    }
    MSAAPROPID property = PROPID_ACC_DESCRIPTION;
    if (*description == '\0') {
        services->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &property,
                                 1);
        return;
    }
    const int length = MultiByteToWideChar(1252, 0, description, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(1252, 0, description, -1, wide.data(), length);
    services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, property,
                             wide.c_str());
}

}  // namespace quorvel::platform
