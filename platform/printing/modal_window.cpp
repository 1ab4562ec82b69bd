#include "platform/printing/modal_window.h"

#include "platform/api/trace.h"

#include <QEventLoop>

namespace vm {

class ModalWindow::Peer : public WindowPeer {
public:
    Peer(ModalWindow& owner, int index) : owner_(owner), index_(index) {}
    void click() override
    {
        if (index_ >= 0)
            owner_.userClick(index_);
    }
    void closeRequest() override
    {
        if (index_ < 0)
            owner_.userClose();
    }
    void applyText(const QString& text) override
    {
        if (index_ >= 0 && owner_.onText)
            owner_.onText(index_, text);
    }

private:
    ModalWindow& owner_;
    int index_; // -1 for the window itself
};

ModalWindow::ModalWindow(WindowRegistry& windows, ModalWindowView* view, Trace* trace)
    : windows_(windows), view_(view), trace_(trace)
{
}

ModalWindow::~ModalWindow()
{
    if (loop_)
        loop_->quit();
}

void ModalWindow::setWindow(const QString& className, const QString& title)
{
    className_ = className;
    title_ = title;
}

int ModalWindow::addControl(const QString& className, const QString& text, Role role)
{
    controls_.append(Control{className, text, 0});
    roles_.append(role);
    return int(controls_.size()) - 1;
}

QString ModalWindow::controlText(int index) const
{
    if (index < 0 || index >= controls_.size())
        return QString();
    return windows_.text(controls_.at(index).handle);
}

void ModalWindow::userClick(int index)
{
    if (index < 0 || index >= roles_.size())
        return;
    if (roles_.at(index) == Role::Confirm)
        answer(true);
    else if (roles_.at(index) == Role::Cancel)
        answer(false);
}

void ModalWindow::userClose()
{
    answer(false);
}

void ModalWindow::userSetText(int index, const QString& text)
{
    if (index >= 0 && index < controls_.size() && windows_.text(controls_.at(index).handle) != text)
        windows_.setText(controls_.at(index).handle, text);
}

void ModalWindow::answer(bool confirmed)
{
    confirmed_ = confirmed;
    if (loop_)
        loop_->quit(); // the loop ends once the current message has been handled
}

bool ModalWindow::exec()
{
    if (loop_) // already open further up the stack
        return false;
    peers_.clear();
    peers_.push_back(std::make_unique<Peer>(*this, -1));
    handle_ = windows_.create(className_, title_, 0, peers_.back().get());
    for (int index = 0; index < controls_.size(); ++index) {
        peers_.push_back(std::make_unique<Peer>(*this, index));
        controls_[index].handle =
            windows_.create(controls_.at(index).className, controls_.at(index).text, handle_, peers_.back().get());
    }
    windows_.showWindow(handle_, show_command::Normal);
    if (trace_)
        trace_->write(QStringLiteral("window ") + className_ + QLatin1Char(' ') + Trace::quote(title_)
                      + QStringLiteral(" shown"));
    if (view_)
        view_->shown(*this);

    confirmed_ = false;
    QEventLoop loop;
    loop_ = &loop;
    loop.exec();
    loop_ = nullptr;

    if (view_)
        view_->closed(*this);
    // Read before the children go.
    for (Control& control : controls_)
        control.text = windows_.text(control.handle);
    for (const Control& control : controls_)
        windows_.destroy(control.handle);
    windows_.destroy(handle_);
    handle_ = 0;
    if (trace_)
        trace_->write(QStringLiteral("window ") + className_ + QLatin1Char(' ') + Trace::quote(title_)
                      + (confirmed_ ? QStringLiteral(" confirmed") : QStringLiteral(" cancelled")));
    return confirmed_;
}

} // namespace vm
