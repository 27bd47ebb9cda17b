#pragma once

// The core's windows on a Linux desktop, with Qt 6 Widgets. Every window and
// control becomes a widget kept in step with the core through the View
// calls; what the user does to the widgets goes back through the input entry
// points (platform/core/input.h), so the core's controls and dialog manager
// decide what it means, as on the platform itself.
//
// Input is queued in the order it happened and handed to the core one piece
// at a time, whenever a message loop has nothing else to do: a key pressed
// after a click reaches the core only after everything the click set off.
// While the queue is empty, a message loop sleeps in Qt's event loop.
//
// The view is split by what it shows: qt_view.cpp keeps widgets in step with
// the core and what all controls share (focus, names, geometry, waiting);
// top_level.cpp the windows and dialogs with their menus; message_box.cpp
// the message box; qt_view_keys.cpp the keyboard, clipboard and pop-up menus;
// one adapter file per kind of control (adapter.h) makes its widget, shows
// its changes and lays it out. A new kind of control is one new adapter file
// (a ControlAdapter with create, apply and layOut) and one line in
// adapterFor() (adapters.cpp).

#include <QElapsedTimer>
#include <QFont>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/core/clipboard.h"
#include "platform/core/view.h"
#include "platform/qt/dialog_units.h"

class QKeyEvent;

namespace quorvel::platform::qt {

class WindowFrame;
struct ControlAdapter;

// The desktop's clipboard for the core's edit boxes (qt_view_keys.cpp).
std::unique_ptr<Clipboard> makeDesktopClipboard();

class QtView final : public QObject, public View {
  public:
    // Needs a QApplication; installs itself as the core's view until destroyed.
    QtView();
    ~QtView() override;
    QtView(const QtView&) = delete;
    QtView& operator=(const QtView&) = delete;

    // The widget showing a window: a control's own widget, or the frame of a
    // top-level window (nullptr for none).
    QWidget* widgetOf(HWND window) const;
    // A top-level window's client area, which holds its controls.
    QWidget* clientOf(HWND window) const;
    // The window a widget shows, or the nearest one around it.
    HWND handleOf(const QObject* object) const;
    BaseUnits baseUnitsOf(HWND window) const;
    // No input is waiting to be handed to the core.
    bool idle() const { return pending_.empty(); }

    // Runs action as the user's next piece of input.
    void post(std::function<void()> action);
    // Runs action, then shows the window as the core has it, in case the
    // core did not take the input the widget already shows.
    void postFor(HWND window, std::function<void()> action);
    // Widgets are being set from the core: their signals are not input.
    bool syncing() const { return syncing_ > 0; }
    // Sizes and places a window's widget from its template rectangle.
    void layOut(HWND window);
    // The push button Enter would press looks like the default one.
    void updateDefaultButtons(HWND dialog);
    // Runs hook once, after the first window has been painted.
    void afterFirstPaint(std::function<void()> hook);

    void created(HWND window) override;
    void destroyed(HWND window) override;
    void changed(HWND window, Change what) override;
    void focusChanged(HWND from, HWND to) override;
    void waitForInput() override;
    void pollInput() override;
    int messageBox(HWND owner, const std::string& text, const std::string& caption,
                   UINT type) override;
    int popupMenu(HWND owner, const std::vector<MenuItem>& items, int x, int y) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Shown {
        QPointer<QWidget> widget;
        WindowFrame* frame = nullptr;  // top-level windows only
        QFont font;                    // top-level windows: the template's font
        BaseUnits units;
        bool placed = false;                      // shown at least once
        const ControlAdapter* adapter = nullptr;  // controls only
        std::vector<HWND> labels;                 // controls: the static texts naming it
    };

    void createTopLevel(const Window& w);
    void frameResized(HWND window);
    void createControl(const Window& w);
    void buildMenu(WindowFrame* frame, const Window& w);
    void place(HWND window);
    void showTopLevel(HWND window, bool show);
    void applyAll(HWND window);
    void showItems(HWND window);
    void apply(HWND window, Change what);
    void nameControls(HWND dialog);
    void focusAskedFor(HWND control);
    void focusMovedByQt(HWND to, Qt::FocusReason reason);
    void showCoreFocus();
    void keepActive();
    void runOne();
    void letQtRun(bool wait);

    bool keyPressed(QKeyEvent* event);
    bool keyReleased(QKeyEvent* event);
    void openMenuBar();

    std::unordered_map<HWND, Shown> shown_;
    std::unordered_map<const QObject*, HWND> handles_;
    std::deque<std::function<void()>> pending_;
    int syncing_ = 0;  // widgets are being set from the core: their signals are not input
    bool spaceDown_ = false;
    bool altAlone_ = false;  // Alt is down and nothing else was pressed since
    int wheelTurned_ = 0;    // eighths of a degree not yet taken as a step
    std::function<void()> firstPaint_;
    std::vector<HWND> itemsChanged_;  // lists whose widgets wait for their items
    std::vector<HWND> resized_;       // windows sized by the user, not yet told to the core
    QElapsedTimer sinceQtRan_;        // since Qt last handled its events
    std::unique_ptr<Clipboard> clipboard_ = makeDesktopClipboard();
};

}  // namespace quorvel::platform::qt
