// Up-down controls: arrows that step a number shown in a buddy edit box.

#include <algorithm>
#include <cctype>
#include <string>

#include "platform/core/state.h"

namespace quorvel::platform {
namespace {

int lowest(const Window* w) {
    return std::min(w->lower, w->upper);
}
int highest(const Window* w) {
    return std::max(w->lower, w->upper);
}

std::string withThousands(int value) {
    const std::string digits = std::to_string(value < 0 ? -static_cast<long long>(value) : value);
    std::string out = value < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            out.push_back(',');
        }
        out.push_back(digits[i]);
    }
    return out;
}

void showPosition(HWND upDown) {
    Window* w = find(upDown);
    if ((w->style & UDS_SETBUDDYINT) == 0 || find(w->buddy) == nullptr) {
        return;
    }
    const std::string text = (w->style & UDS_NOTHOUSANDS) != 0 ? std::to_string(w->position)
                                                               : withThousands(w->position);
    SendMessageA(w->buddy, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Takes the buddy's number as the position when the buddy holds a whole
// number within the range; false otherwise.
bool readBuddy(HWND upDown) {
    Window* w = find(upDown);
    Window* buddy = find(w->buddy);
    if (buddy == nullptr || (w->style & UDS_SETBUDDYINT) == 0) {
        return true;
    }
    std::string text;
    for (char c : buddy->text) {
        if (c != ',') {
            text += c;
        }
    }
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    i += negative ? 1 : 0;
    if (i >= text.size() || text.size() - i > 9) {
        return false;
    }
    long value = 0;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            return false;
        }
        value = value * 10 + (text[i] - '0');
    }
    value = negative ? -value : value;
    if (value < lowest(w) || value > highest(w)) {
        return false;
    }
    w->position = static_cast<int>(value);
    return true;
}

}  // namespace

void stepUpDown(HWND upDown, bool up) {
    Window* w = find(upDown);
    if (w == nullptr) {
        return;
    }
    readBuddy(upDown);
    // The up arrow moves toward the upper limit, whichever way the range runs.
    const int delta = (up == (w->upper >= w->lower)) ? 1 : -1;
    int next = w->position + delta;
    if (next < lowest(w) || next > highest(w)) {
        if ((w->style & UDS_WRAP) == 0) {
            return;  // stops at the limit
        }
        next = next < lowest(w) ? highest(w) : lowest(w);
    }
    w->position = next;
    notify(upDown, Change::Position);
    showPosition(upDown);
}

LRESULT CALLBACK upDownProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = find(window);
    if (w == nullptr) {
        return 0;
    }
    switch (message) {
        case UDM_SETRANGE:
            w->upper = static_cast<short>(LOWORD(lParam));
            w->lower = static_cast<short>(HIWORD(lParam));
            notify(window, Change::Position);
            return 0;
        case UDM_GETRANGE:
            return MAKELONG(w->upper, w->lower);
        case UDM_SETPOS: {
            const int previous = w->position;
            w->position =
                std::clamp<int>(static_cast<short>(LOWORD(lParam)), lowest(w), highest(w));
            notify(window, Change::Position);
            showPosition(window);
            return previous;
        }
        case UDM_GETPOS: {
            const bool valid = readBuddy(window);
            w = find(window);
            return MAKELONG(w->position, valid ? 0 : 1);
        }
        case UDM_SETBUDDY: {
            const HWND previous = w->buddy;
            w->buddy = reinterpret_cast<HWND>(wParam);
            if (Window* buddy = find(w->buddy);
                buddy != nullptr && (w->style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) != 0) {
                // The arrows sit on the buddy's edge and the buddy gives up
                // their width.
                buddy->rightInsetPixels = kUpDownWidth;
                notify(w->buddy, Change::Geometry);
                notify(window, Change::Geometry);
            }
            return reinterpret_cast<LRESULT>(previous);
        }
        case WM_GETDLGCODE:
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace quorvel::platform
