#pragma once

#include "shell/menu_routes.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

namespace vm {

class Host;

// The menu bar of the main window: building it, routing its clicks by item
// key, and the rules that enable and disable its items.
class MainMenu : public MenuRoutes {
public:
    static const QString hideQuickHelp;
    static const QString showQuickHelp;

    explicit MainMenu(Host& host);

    void LoadMenus();
    // Sends the user font list to the canvas once per run, as soon as the bar
    // has been built and the list is complete, whichever comes last.
    void sendFontListOnce() override;
    // The bar made anew (the recent files are added by their owner).
    void rebuild() override;
    void changeMenuCaptions();
    void mnuActivate() override;
    void setGroupEnabled(const QStringList& keys, bool enabled) override;
    QString pGetPicture(const QString& name);

    void SmartMenu_Click(int id);
    // Runs the route of a key as a click would.
    void route(const QString& key) override;
    // Plugs in (or replaces) the action of a menu key.
    void on(const QString& key, std::function<void()> action) override;

    // The quick-help item, clicked by the user.
    void toggleQuickHelp();
    // The canvas tells whether the top-level menus may be used.
    void setQuickHelpState(const QString& argument);
    // While the quick help shows, the panel group is locked, all but the
    // item that hides it again.
    void lockForQuickHelp(bool locked);

private:
    void addCanvasRoute(const QString& key, const QString& command, const QString& argument);
    void registerRoutes();

    Host& host_;
    QHash<QString, std::function<void()>> routes_;
    bool built_ = false;
};

} // namespace vm
