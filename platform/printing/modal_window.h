#pragma once

#include "platform/api/window_registry.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>

class QEventLoop;

namespace vm {

class Trace;
class ModalWindow;

// The on-screen side of the print windows. Without one (tests, scripted
// sessions) they exist only in the window registry, where the automation and
// the tests find and answer them.
class ModalWindowView {
public:
    virtual ~ModalWindowView() = default;
    virtual void shown(ModalWindow& window) = 0;
    virtual void closed(ModalWindow& window) = 0;
};

// A system window with child controls that runs its own event loop until it is
// answered: by a click on its confirm or cancel button, or by a close request
// (which only marks it cancelled; the loop ends after the message, so a later
// click in the same turn still wins).
class ModalWindow {
public:
    struct Control {
        QString className;
        QString text;
        WindowHandle handle = 0;
    };
    enum class Role { Other, Confirm, Cancel };

    ModalWindow(WindowRegistry& windows, ModalWindowView* view, Trace* trace);
    ~ModalWindow();
    ModalWindow(const ModalWindow&) = delete;
    ModalWindow& operator=(const ModalWindow&) = delete;

    void setWindow(const QString& className, const QString& title);
    // Adds a child control; its index is its place in controls().
    int addControl(const QString& className, const QString& text, Role role = Role::Other);
    // Shows the window and waits; true when it was confirmed.
    bool exec();

    WindowRegistry& windows() { return windows_; }
    WindowHandle handle() const { return handle_; }
    const QString& title() const { return title_; }
    const QList<Control>& controls() const { return controls_; }
    QString controlText(int index) const;
    // For the view: what the user did.
    void userClick(int index);
    void userClose();
    void userSetText(int index, const QString& text);
    // Called with (control index, text) when a control's text changes by message.
    std::function<void(int, const QString&)> onText;

private:
    class Peer;
    void answer(bool confirmed);

    WindowRegistry& windows_;
    ModalWindowView* view_;
    Trace* trace_;
    QString className_;
    QString title_;
    QList<Control> controls_;
    QList<Role> roles_;
    std::vector<std::unique_ptr<Peer>> peers_;
    WindowHandle handle_ = 0;
    QEventLoop* loop_ = nullptr;
    bool confirmed_ = false;
};

} // namespace vm
