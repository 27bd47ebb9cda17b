// Up-down arrows beside an edit box.

#include "platform/core/input.h"
#include "platform/qt/adapter.h"
#include "platform/qt/qt_view.h"
#include "platform/qt/widgets.h"

namespace quorvel::platform::qt {
namespace {

QWidget* create(QtView& view, const Window& w, QWidget* parent) {
    auto* arrows = new UpDownWidget(parent);
    arrows->stepped = [&view, handle = w.handle](bool up) {
        view.postFor(handle, [handle, up] { input::clickUpDown(handle, up); });
    };
    return arrows;
}

void apply(QtView&, QWidget*, const Window&, Change) {}

// Aligned to its buddy, on the buddy's right edge, over its border.
QRect layOut(const QtView& view, QWidget*, const Window& w, QRect at) {
    const Window* buddy = findWindow(w.buddy);
    if (buddy == nullptr || (w.style & UDS_ALIGNRIGHT) == 0) {
        return at;
    }
    const QRect b = pixelsOf(view, *buddy);
    const int overlap = hasBorder(*buddy) ? kUpDownBuddyOverlap : 0;
    return QRect(b.right() + 1 - buddy->rightInsetPixels - overlap, b.top(), kUpDownWidth,
                 b.height());
}

}  // namespace

const ControlAdapter kUpDownAdapter{ControlKind::UpDown, create, apply, layOut};

}  // namespace quorvel::platform::qt
