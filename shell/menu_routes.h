#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace vm {

// What a subsystem may do with the menu bar: plug in the action of a menu key,
// enable or disable groups of items and have the bar made anew.
class MenuRoutes {
public:
    virtual ~MenuRoutes() = default;

    // Plugs in (or replaces) the action of a menu key.
    virtual void on(const QString& key, std::function<void()> action) = 0;
    // Runs the route of a key as a click would.
    virtual void route(const QString& key) = 0;
    virtual void setGroupEnabled(const QStringList& keys, bool enabled) = 0;
    // The bar made anew (the recent files are added by their owner).
    virtual void rebuild() = 0;
    // The menus usable again after a flow that locked them.
    virtual void mnuActivate() = 0;
    // Sends the user font list to the canvas once per run, as soon as the bar
    // has been built and the list is complete, whichever comes last.
    virtual void sendFontListOnce() = 0;
};

} // namespace vm
