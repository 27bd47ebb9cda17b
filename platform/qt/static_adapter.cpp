// Static texts and icons.

#include <QLabel>
#include <QStyle>

#include "platform/core/accessible_names.h"
#include "platform/qt/adapter.h"

namespace quorvel::platform::qt {
namespace {

int iconSide(const QWidget* widget) {
    // An icon shows at the desktop's icon size, whatever the template says.
    return widget->style()->pixelMetric(QStyle::PM_LargeIconSize);
}

QWidget* create(QtView&, const Window&, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

void apply(QtView&, QWidget* widget, const Window& w, Change what) {
    auto* label = static_cast<QLabel*>(widget);
    const DWORD type = w.type();
    if (what == Change::Text) {
        if (type == SS_ICON) {
            const int side = iconSide(widget);
            label->setPixmap(iconFrom(iconBytes(w.staticIcon)).pixmap(side, side));
        } else {
            label->setText(decoded(withoutMnemonics(w.text)));
        }
    } else if (what == Change::Style) {
        const Qt::Alignment horizontal = type == SS_CENTER  ? Qt::AlignHCenter
                                         : type == SS_RIGHT ? Qt::AlignRight
                                                            : Qt::AlignLeft;
        label->setAlignment(horizontal | Qt::AlignTop);
        label->setWordWrap(type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT);
    }
}

QRect layOut(const QtView&, QWidget* widget, const Window& w, QRect at) {
    if (w.type() == SS_ICON) {
        at.setSize(QSize(iconSide(widget), iconSide(widget)));
    }
    return at;
}

}  // namespace

const ControlAdapter kStaticAdapter{ControlKind::Static, create, apply, layOut};

}  // namespace quorvel::platform::qt
