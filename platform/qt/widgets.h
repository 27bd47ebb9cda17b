#pragma once

// The widgets that have no ready-made Qt counterpart: a top-level window's
// frame (menu bar over a client area), a drop-down list that reports the
// user opening and closing it, and the up-down arrows.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <functional>

class QMenuBar;
class QPainter;
class QToolButton;

namespace quorvel::platform::qt {

class WindowFrame : public QWidget {
  public:
    // border: the width of the frame drawn around a window without a caption.
    WindowFrame(QWidget* owner, Qt::WindowFlags flags, int border);

    QWidget* client() const { return client_; }
    QMenuBar* addMenuBar();
    // Opens the menu bar's first menu for the keyboard (F10, a lone Alt):
    // arrows move through it, Enter chooses, Esc leaves the focus where it
    // was. False for a window without a menu.
    bool openMenuFromKeyboard();
    // Sizes the frame around a client area of this size; a frame the user
    // cannot size keeps it.
    void setClientSize(QSize size);
    // Lets the user size the frame, down to a client area of minimum.
    void setResizable(QSize minimum);
    bool resizable() const { return resizable_; }

    // The close box, or the desktop asking the window to close.
    std::function<void()> closeRequested;
    // A frame the user can size has a new size (from the user, or from
    // setClientSize); its client area is laid out already.
    std::function<void()> clientResized;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    int menuHeight() const;
    QSize frameSizeFor(QSize client) const;
    // The menu bar and client area fill the frame inside its border.
    void layOutInside();

    QWidget* client_;
    QMenuBar* menuBar_ = nullptr;
    int border_;
    bool resizable_ = false;
};

// A group box as dialogs draw it: a frame whose top line runs through the
// middle of the title. Clicks go through it to what lies inside.
class GroupBoxWidget : public QWidget {
  public:
    explicit GroupBoxWidget(QWidget* parent);

    void setTitle(const QString& title);
    const QString& title() const { return title_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void drawEtchedFrame(QPainter& painter, QRect frame);

    QString title_;
};

class ComboBoxWidget : public QComboBox {
  public:
    explicit ComboBoxWidget(QWidget* parent);

    // The user opened or closed the list (not the program through the core).
    std::function<void()> opened;
    std::function<void()> closed;

    // Shows or hides the list for the core, without reporting it back.
    void showListFromCore(bool show);

    void showPopup() override;
    void hidePopup() override;

  private:
    bool fromCore_ = false;
};

// A push button that shows the focus with a rectangle inside it, as the style
// alone does not tell a focused default button from an unfocused one.
class PushButtonWidget : public QPushButton {
  public:
    explicit PushButtonWidget(QWidget* parent) : QPushButton(parent) {}

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// A check box and a radio button take a click anywhere in their rectangle,
// not only on the box and the text, and outline the box in a colour drawn
// from the text's, so that it shows in a dark palette as in a light one.
class CheckBoxWidget : public QCheckBox {
  public:
    explicit CheckBoxWidget(QWidget* parent) : QCheckBox(parent) {}

  protected:
    bool hitButton(const QPoint& position) const override;
    void paintEvent(QPaintEvent* event) override;
};

class RadioButtonWidget : public QRadioButton {
  public:
    explicit RadioButtonWidget(QWidget* parent) : QRadioButton(parent) {}

  protected:
    bool hitButton(const QPoint& position) const override;
    void paintEvent(QPaintEvent* event) override;
};

// An edit box; one without a border shows the focus with a rectangle.
class EditWidget : public QLineEdit {
  public:
    explicit EditWidget(QWidget* parent) : QLineEdit(parent) {}

  protected:
    void paintEvent(QPaintEvent* event) override;
};

class UpDownWidget : public QWidget {
  public:
    explicit UpDownWidget(QWidget* parent);

    std::function<void(bool up)> stepped;
    // Names the two arrows after the box they step.
    void nameArrows(const QString& name);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace quorvel::platform::qt
