#include "platform/qt/widgets.h"

#include <qdrawutil.h>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QToolButton>
#include <algorithm>

namespace quorvel::platform::qt {

WindowFrame::WindowFrame(QWidget* owner, Qt::WindowFlags flags, int border)
    : QWidget(owner, flags), client_(new QWidget(this)), border_(border) {
    client_->move(border_, border_);
}

QMenuBar* WindowFrame::addMenuBar() {
    if (menuBar_ == nullptr) {
        menuBar_ = new QMenuBar(this);
        // The menu belongs to the window, never to a desktop-wide menu bar.
        menuBar_->setNativeMenuBar(false);
    }
    return menuBar_;
}

bool WindowFrame::openMenuFromKeyboard() {
    if (menuBar_ == nullptr) {
        return false;
    }
    for (QAction* action : menuBar_->actions()) {
        if (action->isEnabled() && action->isVisible() && !action->isSeparator()) {
            menuBar_->setActiveAction(action);
            return true;
        }
    }
    return false;
}

int WindowFrame::menuHeight() const {
    return menuBar_ != nullptr ? menuBar_->sizeHint().height() : 0;
}

QSize WindowFrame::frameSizeFor(QSize client) const {
    return {client.width() + 2 * border_, client.height() + menuHeight() + 2 * border_};
}

void WindowFrame::layOutInside() {
    const int menu = menuHeight();
    const QSize inside(width() - 2 * border_, height() - 2 * border_);
    if (menuBar_ != nullptr) {
        menuBar_->setGeometry(border_, border_, inside.width(), menu);
    }
    client_->setGeometry(border_, border_ + menu, inside.width(), inside.height() - menu);
}

void WindowFrame::setClientSize(QSize size) {
    if (resizable_) {
        resize(frameSizeFor(size));
        layOutInside();
        return;
    }
    const int menu = menuHeight();
    if (menuBar_ != nullptr) {
        menuBar_->setGeometry(border_, border_, size.width(), menu);
    }
    client_->setGeometry(border_, border_ + menu, size.width(), size.height());
    setFixedSize(frameSizeFor(size));
}

void WindowFrame::setResizable(QSize minimum) {
    resizable_ = true;
    setMinimumSize(frameSizeFor(minimum));
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void WindowFrame::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (resizable_) {
        layOutInside();
        if (clientResized) {
            clientResized();
        }
    }
}

void WindowFrame::closeEvent(QCloseEvent* event) {
    // The core decides whether the window closes.
    event->ignore();
    if (closeRequested) {
        closeRequested();
    }
}

void WindowFrame::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (border_ > 0) {
        QPainter painter(this);
        qDrawWinPanel(&painter, rect(), palette(), false);
    }
}

GroupBoxWidget::GroupBoxWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void GroupBoxWidget::setTitle(const QString& title) {
    title_ = title;
    update();
}

// An etched line, as a dialog's group box has: a shadow line with a light
// one beside it, each one screen pixel wide at any scale, the light one
// inside the rectangle at its right and bottom.
void GroupBoxWidget::drawEtchedFrame(QPainter& painter, QRect frame) {
    const qreal scale = devicePixelRatioF();
    const QRect pixels(
        QPoint(qRound(frame.left() * scale), qRound(frame.top() * scale)),
        QPoint(qRound((frame.right() + 1) * scale) - 1, qRound((frame.bottom() + 1) * scale) - 1));
    painter.save();
    painter.scale(1 / scale, 1 / scale);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(palette().color(QPalette::Light), 0));
    painter.drawRect(pixels.adjusted(1, 1, -1, -1));
    painter.setPen(QPen(palette().color(QPalette::Dark), 0));
    painter.drawRect(pixels.adjusted(0, 0, -2, -2));
    painter.restore();
}

void GroupBoxWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    drawEtchedFrame(painter, rect().adjusted(0, metrics.height() / 2, 0, 0));
    if (title_.isEmpty()) {
        return;
    }
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic;
    const int padding = metrics.averageCharWidth() / 2;
    QRect text = metrics.boundingRect(QRect(), flags, title_);
    text.moveTo(metrics.averageCharWidth() + padding, 0);
    text.setHeight(metrics.height());
    painter.fillRect(text.adjusted(-padding, 0, padding, 0), palette().window());
    style()->drawItemText(&painter, text, flags, palette(), isEnabled(), title_,
                          QPalette::WindowText);
}

void ComboBoxWidget::showListFromCore(bool show) {
    fromCore_ = true;
    if (show) {
        QComboBox::showPopup();
    } else {
        QComboBox::hidePopup();
    }
    fromCore_ = false;
}

namespace {

// Lists drop down below the box at the height the template gives them, with
// a scroll bar, rather than as a menu over it as tall as all their items.
class DroppedListStyle final : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == QStyle::SH_ComboBox_Popup) {
            return 0;
        }
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

}  // namespace

ComboBoxWidget::ComboBoxWidget(QWidget* parent) : QComboBox(parent) {
    static QPointer<QStyle> style;
    if (style.isNull()) {
        style = new DroppedListStyle;
        style->setParent(QCoreApplication::instance());
    }
    setStyle(style);
}

void ComboBoxWidget::showPopup() {
    if (!isEnabled()) {
        return;  // however asked, a disabled list does not open
    }
    if (!fromCore_ && opened) {
        opened();
    }
    QComboBox::showPopup();
}

void ComboBoxWidget::hidePopup() {
    QComboBox::hidePopup();
    if (!fromCore_ && closed) {
        closed();
    }
}

namespace {

void drawFocusRect(QWidget* widget, QRect rect, QPalette::ColorRole background) {
    QPainter painter(widget);
    QStyleOptionFocusRect option;
    option.initFrom(widget);
    option.rect = rect;
    option.backgroundColor = widget->palette().color(background);
    widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, widget);
}

}  // namespace

void PushButtonWidget::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    if (hasFocus()) {
        const int inset = std::max(3, height() / 6);
        drawFocusRect(this, rect().adjusted(inset, inset, -inset, -inset), QPalette::Button);
    }
}

namespace {

// Half way between the text and the face: seen on any face, never as loud
// as the text itself.
QColor indicatorOutline(const QWidget* widget) {
    const QPalette::ColorGroup group = widget->isEnabled() ? QPalette::Active : QPalette::Disabled;
    const QColor text = widget->palette().color(group, QPalette::WindowText);
    const QColor face = widget->palette().color(group, QPalette::Window);
    return QColor((text.red() + face.red()) / 2, (text.green() + face.green()) / 2,
                  (text.blue() + face.blue()) / 2);
}

template <class Button>
QRect indicatorOf(const Button* button, QStyle::SubElement element) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return button->style()->subElementRect(element, &option, button);
}

}  // namespace

bool CheckBoxWidget::hitButton(const QPoint& position) const {
    return rect().contains(position);
}

void CheckBoxWidget::paintEvent(QPaintEvent* event) {
    QCheckBox::paintEvent(event);
    QPainter painter(this);
    painter.setPen(indicatorOutline(this));
    painter.drawRect(indicatorOf(this, QStyle::SE_CheckBoxIndicator).adjusted(0, 0, -1, -1));
}

bool RadioButtonWidget::hitButton(const QPoint& position) const {
    return rect().contains(position);
}

void RadioButtonWidget::paintEvent(QPaintEvent* event) {
    QRadioButton::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(indicatorOutline(this));
    const QRectF circle = indicatorOf(this, QStyle::SE_RadioButtonIndicator);
    painter.drawEllipse(circle.adjusted(0.5, 0.5, -0.5, -0.5));
}

void EditWidget::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    if (!hasFrame() && hasFocus()) {
        drawFocusRect(this, rect(), QPalette::Base);
    }
}

UpDownWidget::UpDownWidget(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    const auto setUp = [this](QToolButton* button, Qt::ArrowType arrow, bool up) {
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        QObject::connect(button, &QToolButton::clicked, this, [this, up] {
            if (stepped) {
                stepped(up);
            }
        });
    };
    setUp(up_, Qt::UpArrow, true);
    setUp(down_, Qt::DownArrow, false);
}

void UpDownWidget::nameArrows(const QString& name) {
    const QString up = name.isEmpty() ? QStringLiteral("Up") : name + QStringLiteral(" up");
    const QString down = name.isEmpty() ? QStringLiteral("Down") : name + QStringLiteral(" down");
    if (up_->accessibleName() != up) {
        up_->setAccessibleName(up);
        down_->setAccessibleName(down);
    }
}

void UpDownWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

}  // namespace quorvel::platform::qt
