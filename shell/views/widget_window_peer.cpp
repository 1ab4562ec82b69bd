#include "shell/views/widget_window_peer.h"

#include <QCloseEvent>

#include <algorithm>

namespace vm {

WindowRect toWindowRect(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

WidgetWindowPeer::WidgetWindowPeer(QWidget* widget) : QObject(widget), widget_(widget) {}

void WidgetWindowPeer::applyText(const QString& text)
{
    if (widget_)
        widget_->setWindowTitle(text);
}

Qt::WindowFlags WidgetWindowPeer::flagsForStyle(Qt::WindowFlags flags, quint32 style)
{
    const bool systemMenu = style & window_style::SysMenu;
    // Without the customize hint the window manager adds every button back.
    flags |= Qt::CustomizeWindowHint;
    flags.setFlag(Qt::WindowTitleHint, (style & window_style::Caption) != 0);
    flags.setFlag(Qt::WindowSystemMenuHint, systemMenu);
    flags.setFlag(Qt::WindowMinimizeButtonHint, systemMenu && (style & window_style::MinimizeBox));
    flags.setFlag(Qt::WindowMaximizeButtonHint, systemMenu && (style & window_style::MaximizeBox));
    flags.setFlag(Qt::WindowCloseButtonHint, systemMenu);
    return flags;
}

void WidgetWindowPeer::applyStyle(quint32 style)
{
    if (!widget_)
        return;
    const Qt::WindowFlags flags = flagsForStyle(widget_->windowFlags(), style);
    if (flags == widget_->windowFlags())
        return;
    // setWindowFlags hides the window and forgets its state.
    const bool wasVisible = widget_->isVisible();
    const Qt::WindowStates state = widget_->windowState();
    widget_->setWindowFlags(flags);
    widget_->setWindowState(state);
    if (wasVisible)
        widget_->show();
}

void WidgetWindowPeer::applyGeometry(const WindowRect& rect)
{
    if (!widget_ || rect.width <= 0 || rect.height <= 0)
        return;
    // The registry speaks of the outer frame; Qt resizes the client area.
    const QRect frame = widget_->frameGeometry();
    const QRect client = widget_->geometry();
    const int frameWidth = std::max(0, frame.width() - client.width());
    const int frameHeight = std::max(0, frame.height() - client.height());
    widget_->move(rect.left, rect.top);
    widget_->resize(std::max(1, rect.width - frameWidth), std::max(1, rect.height - frameHeight));
}

void WidgetWindowPeer::applyShow(int command)
{
    if (!widget_)
        return;
    switch (command) {
    case show_command::Hide: widget_->hide(); break;
    case show_command::Minimize: widget_->showMinimized(); break;
    case show_command::Restore: widget_->showNormal(); break;
    case 3: widget_->showMaximized(); break; // SW_MAXIMIZE
    default: widget_->show(); break;
    }
}

void WidgetWindowPeer::applyForeground()
{
    if (!widget_)
        return;
    widget_->raise();
    widget_->activateWindow();
}

void WidgetWindowPeer::applyEnabled(bool enabled)
{
    if (widget_)
        widget_->setEnabled(enabled);
}

void WidgetWindowPeer::closeRequest()
{
    // As WM_CLOSE: the view's close handler decides, as the close box would.
    if (widget_)
        widget_->close();
}

} // namespace vm
