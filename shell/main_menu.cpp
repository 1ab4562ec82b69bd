#include "shell/main_menu.h"

#include "platform/api/path_style.h"
#include "platform/api/run_time_error.h"
#include "shell/host.h"
#include "shell/menu_tree.h"

#include <QFileInfo>

namespace vm {

const QString MainMenu::hideQuickHelp = QStringLiteral("&Hide Quick Help");
const QString MainMenu::showQuickHelp = QStringLiteral("&Show Quick Help");

MainMenu::MainMenu(Host& host) : host_(host)
{
    registerRoutes();
}

QString MainMenu::pGetPicture(const QString& name)
{
    return host_.trap.value(QStringLiteral("frmMain\\pGetPicture"), QString(), [&] {
        const QString path = host_.state.programFolder + path_style::separator + QStringLiteral("Images")
                             + path_style::separator + name + QStringLiteral(".bmp");
        if (!QFileInfo(path).isFile())
            throw RunTimeError(error_number::FileNotFound, QStringLiteral("File not found"));
        return path;
    });
}

void MainMenu::LoadMenus()
{
    host_.trap.run(QStringLiteral("frmMain\\LoadMenus"), [&] {
        for (const MenuTreeEntry& entry : menuTree()) {
            MenuItem item;
            item.parent = entry.parent;
            item.key = entry.key;
            item.style = entry.style;
            item.shift = entry.shift;
            item.keyCode = entry.keyCode;
            item.checked = entry.checked;
            switch (entry.source) {
            case CaptionSource::Language: item.caption = host_.language.GetMenuCaption(entry.key); break;
            case CaptionSource::LanguageOfKey: item.caption = host_.language.GetMenuCaption(entry.captionKey); break;
            case CaptionSource::Fixed: item.caption = entry.captionKey; break;
            case CaptionSource::None: break;
            }
            if (!entry.icon.isEmpty())
                item.picturePath = pGetPicture(entry.icon);
            host_.menuItems.AddItem(item);
        }
        host_.menuItems.setColors(menuBarColors());
        built_ = true;
        sendFontListOnce();
    });
}

void MainMenu::sendFontListOnce()
{
    HostState& state = host_.state;
    if (!built_ || state.userFontListPending || state.fontListSent)
        return;
    state.fontListSent = true;
    host_.toFlash(QStringLiteral("fontlist"), state.userFontList);
}

void MainMenu::rebuild()
{
    host_.menuItems.ClearItems();
    LoadMenus();
}

void MainMenu::changeMenuCaptions()
{
    static const QStringList keys = {
        QStringLiteral("mnuProject"),   QStringLiteral("mnuNewProject"),   QStringLiteral("mnuNewTemplate"),
        QStringLiteral("mnuOpenProject"), QStringLiteral("mnuSave"),       QStringLiteral("mnuSaveAs"),
        QStringLiteral("mnuPublishLogo"), QStringLiteral("mnuRecent"),     QStringLiteral("mnuExit"),
        QStringLiteral("mnuEdit"),      QStringLiteral("mnuUndo"),         QStringLiteral("mnuCut"),
        QStringLiteral("mnuCopy"),      QStringLiteral("mnuPaste"),        QStringLiteral("mnuDelete"),
        QStringLiteral("mnuSendToBack"), QStringLiteral("mnuBringToFront"), QStringLiteral("mnuObject"),
        QStringLiteral("mnuAddText"),   QStringLiteral("mnuAddSymbol"),    QStringLiteral("mnuAddImage"),
        QStringLiteral("mnuBondingObjects"), QStringLiteral("mnuPanels"),  QStringLiteral("mnuShowColor"),
        QStringLiteral("mnuShowTools"), QStringLiteral("mnuArrangeAll"),   QStringLiteral("mnuMHelp"),
        QStringLiteral("mnuHelp"),      QStringLiteral("mnuQuick"),        QStringLiteral("mnuVantamorphWeb"),
        QStringLiteral("mnuAboutUS"),   QStringLiteral("mnuCopyrightInfo"),
    };
    MenuItems& items = host_.menuItems;
    for (const QString& key : keys)
        if (const int id = items.FindItem(key))
            items.setItemCaption(id, host_.language.GetMenuCaption(key));
    if (const int id = items.FindItem(QStringLiteral("mnuFromTemplate")))
        items.setItemCaption(id, host_.language.GetMenuCaption(QStringLiteral("mnuNewTemplate")));
}

void MainMenu::setGroupEnabled(const QStringList& keys, bool enabled)
{
    for (const QString& key : keys)
        host_.menuItems.setItemEnabled(key, enabled);
}

void MainMenu::mnuActivate()
{
    host_.trap.run(QStringLiteral("frmMain\\mnuActivate"), [&] {
        setGroupEnabled(activateGroup(), true);
        host_.mainForm.ShowTitleBar(true);
    });
}

void MainMenu::toggleQuickHelp()
{
    MenuItems& items = host_.menuItems;
    const int id = items.FindItem(QStringLiteral("mnuQuick"));
    const QString offered = host_.language.GetMenuCaption(QStringLiteral("mnuQuick"));
    if (items.ItemCaption(id) == offered) {
        items.setItemCaption(id, hideQuickHelp);
        host_.toFlash(QStringLiteral("quick help"), QStringLiteral("true"));
        lockForQuickHelp(true);
    } else {
        items.setItemCaption(id, offered);
        host_.toFlash(QStringLiteral("quick help"), QStringLiteral("false"));
        lockForQuickHelp(false);
    }
}

void MainMenu::lockForQuickHelp(bool locked)
{
    // The help menu stays open for the one item that hides the quick help
    // again; its other items follow the rest of the group.
    const QString helpMenu = QStringLiteral("mnuMHelp");
    const QString quickItem = QStringLiteral("mnuQuick");
    MenuItems& items = host_.menuItems;
    for (const QString& key : panelGroup())
        items.setItemEnabled(key, !locked || key == helpMenu);
    for (const MenuTreeEntry& entry : menuTree())
        if (entry.parent == helpMenu && !entry.key.isEmpty() && entry.key != quickItem)
            items.setItemEnabled(entry.key, !locked);
}

void MainMenu::setQuickHelpState(const QString& argument)
{
    const bool menusLocked = argument == QLatin1String("false");
    lockForQuickHelp(menusLocked);
    if (const int id = host_.menuItems.FindItem(QStringLiteral("mnuQuick")))
        host_.menuItems.setItemCaption(id, menusLocked ? hideQuickHelp : showQuickHelp);
}

void MainMenu::on(const QString& key, std::function<void()> action)
{
    routes_.insert(key, std::move(action));
}

void MainMenu::route(const QString& key)
{
    const auto action = routes_.constFind(key);
    if (action != routes_.cend() && *action)
        (*action)();
}

void MainMenu::SmartMenu_Click(int id)
{
    host_.trap.run(QStringLiteral("frmMain\\SmartMenu_Click"), [&] { route(host_.menuItems.ItemKey(id)); });
}

void MainMenu::addCanvasRoute(const QString& key, const QString& command, const QString& argument)
{
    on(key, [this, command, argument] { host_.toFlash(command, argument); });
}

void MainMenu::registerRoutes()
{
    const QString yes = QStringLiteral("True");
    addCanvasRoute(QStringLiteral("mnuPrintLogo"), QStringLiteral("printmovie"), yes);
    addCanvasRoute(QStringLiteral("mnuShowColor"), QStringLiteral("panel_Color"), yes);
    addCanvasRoute(QStringLiteral("mnuShowTools"), QStringLiteral("panel_Tools"), yes);
    addCanvasRoute(QStringLiteral("mnuArrangeAll"), QStringLiteral("panel_ArrangeAll"), yes);
    addCanvasRoute(QStringLiteral("mnuUndo"), QStringLiteral("show undo"), yes);
    addCanvasRoute(QStringLiteral("mnuCut"), QStringLiteral("show cut"), yes);
    addCanvasRoute(QStringLiteral("mnuCopy"), QStringLiteral("show copy"), yes);
    addCanvasRoute(QStringLiteral("mnuPaste"), QStringLiteral("show paste"), yes);
    addCanvasRoute(QStringLiteral("mnuDelete"), QStringLiteral("show delete"), yes);
    addCanvasRoute(QStringLiteral("mnuSendToBack"), QStringLiteral("sendbackward_link"), yes);
    addCanvasRoute(QStringLiteral("mnuBringToFront"), QStringLiteral("bringforward_link"), yes);
    addCanvasRoute(QStringLiteral("mnuGroupAll"), QStringLiteral("groupall"), yes);
    addCanvasRoute(QStringLiteral("mnuAddText"), QStringLiteral("drawnewtext"), yes);
    addCanvasRoute(QStringLiteral("mnuAddSymbol"), QStringLiteral("drawnewlogo"), yes);
    addCanvasRoute(QStringLiteral("mnuAddImage"), QStringLiteral("UploadImage"), yes);

    on(QStringLiteral("mnuBondingObjects"), [this] {
        const int checked = host_.menuItems.ItemChecked(host_.menuItems.FindItem(QStringLiteral("mnuBondingObjects")));
        host_.toFlash(QStringLiteral("ShowSelection"), checked == 1 ? QStringLiteral("True") : QStringLiteral("False"));
    });
    on(QStringLiteral("mnuExit"), [this] { host_.mainForm.mnuExit(); });
    on(QStringLiteral("mnuQuick"), [this] { toggleQuickHelp(); });
    on(QStringLiteral("mnuHelp"), [this] { host_.webLinks.mnuHelp(); });
    on(QStringLiteral("mnuVantamorphWeb"), [this] { host_.webLinks.mnuVantamorphWeb(&host_.mainForm); });
    on(QStringLiteral("mnuResourceTagline"), [this] { host_.webLinks.mnuResourceTagline(&host_.mainForm); });
    on(QStringLiteral("mnuAboutUS"), [this] { host_.platform.forms.showModal(host_.aboutForm, &host_.mainForm); });
    on(QStringLiteral("mnuCopyrightInfo"),
       [this] { host_.platform.forms.showModal(host_.copyrightForm, &host_.mainForm); });
}

} // namespace vm
