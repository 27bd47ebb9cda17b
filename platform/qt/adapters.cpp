#include <QBuffer>
#include <QImageReader>
#include <QPixmap>
#include <algorithm>

#include "platform/core/code_page.h"
#include "platform/qt/adapter.h"
#include "platform/qt/qt_view.h"

namespace quorvel::platform::qt {

// One line per kind of control the view shows.
const ControlAdapter* adapterFor(const Window& w) {
    static const ControlAdapter* const adapters[] = {
        &kButtonAdapter, &kEditAdapter,   &kComboAdapter,
        &kStaticAdapter, &kUpDownAdapter, &kListViewAdapter,
    };
    for (const ControlAdapter* adapter : adapters) {
        if (adapter->kind == w.kind && w.isChild()) {
            return adapter;
        }
    }
    return nullptr;
}

QString decoded(const std::string& text) {
    return QString::fromStdString(utf8FromWindows1252(text));
}

QIcon iconFrom(const std::string& bytes) {
    QIcon icon;
    if (bytes.empty()) {
        return icon;
    }
    QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    for (int i = 0; i < std::max(1, reader.imageCount()); ++i) {
        if (i > 0 && !reader.jumpToImage(i)) {
            break;
        }
        const QImage image = reader.read();
        if (!image.isNull()) {
            icon.addPixmap(QPixmap::fromImage(image));
        }
    }
    return icon;
}

bool hasBorder(const Window& w) {
    return (w.style & WS_BORDER) != 0 || (w.exStyle & WS_EX_CLIENTEDGE) != 0;
}

QRect tallEnough(QRect at, int height) {
    const int missing = height - at.height();
    if (missing > 0) {
        at.adjust(0, -(missing / 2), 0, missing - missing / 2);
    }
    return at;
}

QRect pixelsOf(const QtView& view, const Window& w) {
    return w.inDialogUnits ? toPixels(w.rect, view.baseUnitsOf(w.handle))
                           : QRect(w.rect.x, w.rect.y, w.rect.cx, w.rect.cy);
}

}  // namespace quorvel::platform::qt
