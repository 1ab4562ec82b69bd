#pragma once

#include "platform/api/window_registry.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>

namespace vm {

// Mirrors what the host does to a registered window onto its widget. A child
// of the widget, so it goes when the widget goes.
class WidgetWindowPeer : public QObject, public WindowPeer {
    Q_OBJECT
public:
    explicit WidgetWindowPeer(QWidget* widget);

    void applyText(const QString& text) override;
    void applyStyle(quint32 style) override;
    void applyGeometry(const WindowRect& rect) override;
    void applyShow(int command) override;
    void applyForeground() override;
    void applyEnabled(bool enabled) override;
    void closeRequest() override;

    // The title-bar hints that a Windows style stands for.
    static Qt::WindowFlags flagsForStyle(Qt::WindowFlags flags, quint32 style);

private:
    QPointer<QWidget> widget_;
};

WindowRect toWindowRect(const QRect& rect);

} // namespace vm
