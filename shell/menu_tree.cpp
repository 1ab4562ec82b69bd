#include "shell/menu_tree.h"

#include "shell/menu_items.h"

#include <QStringList>

namespace vm {

namespace {
using namespace menu_style;
using namespace menu_shift;

MenuTreeEntry item(const char* parent, const char* key, int style = Plain, const char* icon = "", int shift = None,
                   int keyCode = 0, int checked = 0)
{
    return {QString::fromLatin1(parent), QString::fromLatin1(key), style, QString::fromLatin1(icon),
            shift, keyCode, checked, CaptionSource::Language, QString()};
}

MenuTreeEntry separator(const char* parent)
{
    return {QString::fromLatin1(parent), QString(), Separator, QString(), None, 0, 0, CaptionSource::None, QString()};
}

// Items the language file's menu captions do not hold carry their own caption.
MenuTreeEntry fixedItem(const char* parent, const char* key, const char* caption)
{
    return {QString::fromLatin1(parent), QString::fromLatin1(key), Plain, QString(), None, 0, 0,
            CaptionSource::Fixed, QString::fromLatin1(caption)};
}

MenuTreeEntry publishItem(const char* key, const char* caption)
{
    return fixedItem("mnuPublishLogo", key, caption);
}

QList<MenuTreeEntry> buildTree()
{
    MenuTreeEntry fromTemplate = item("", "mnuFromTemplate");
    fromTemplate.source = CaptionSource::LanguageOfKey;
    fromTemplate.captionKey = QStringLiteral("mnuNewTemplate");
    // The submenu's own entry for the dialog, so the mouse reaches it and Ctrl+L shows.
    MenuTreeEntry publishDialog = publishItem("mnuPublishLogoDialog", "&Publish Logo...");
    publishDialog.shift = Ctrl;
    publishDialog.keyCode = 76;

    return {
        item("", "mnuProject"),
        item("mnuProject", "mnuNewProject", Icon, "new", Ctrl, 78),
        item("mnuProject", "mnuNewTemplate"),
        item("mnuProject", "mnuOpenProject", Icon, "open", Ctrl, 79),
        separator("mnuProject"),
        item("mnuProject", "mnuSave", Icon, "save", Ctrl, 83),
        item("mnuProject", "mnuSaveAs"),
        separator("mnuProject"),
        item("mnuProject", "mnuPublishLogo"),
        fixedItem("mnuProject", "mnuBrandPack", "Publish &Brand Pack..."),
        item("mnuProject", "mnuPrintLogo"),
        separator("mnuProject"),
        item("mnuProject", "mnuRecent"),
        separator("mnuProject"),
        item("mnuProject", "mnuExit"),
        item("", "mnuEdit"),
        item("mnuEdit", "mnuUndo", Plain, "", Ctrl, 90),
        separator("mnuEdit"),
        item("mnuEdit", "mnuCut", Icon, "cut", Ctrl, 88),
        item("mnuEdit", "mnuCopy", Icon, "copy", Ctrl, 67),
        item("mnuEdit", "mnuPaste", Icon, "paste", Ctrl, 86),
        item("mnuEdit", "mnuDelete", Icon, "delete", None, 46),
        separator("mnuEdit"),
        item("mnuEdit", "mnuSendToBack", Plain, "", Ctrl, 66),
        item("mnuEdit", "mnuBringToFront", Plain, "", Ctrl, 70),
        item("mnuEdit", "mnuGroupAll"),
        item("", "mnuObject"),
        item("mnuObject", "mnuAddText"),
        item("mnuObject", "mnuAddSymbol"),
        item("mnuObject", "mnuAddImage"),
        separator("mnuObject"),
        item("mnuObject", "mnuBondingObjects", Check, "", None, 0, 1),
        item("", "mnuPanels"),
        item("mnuPanels", "mnuShowColor"),
        item("mnuPanels", "mnuShowTools"),
        item("mnuPanels", "mnuArrangeAll"),
        item("", "mnuMHelp"),
        item("mnuMHelp", "mnuHelp", Plain, "", None, 112),
        item("mnuMHelp", "mnuQuick", Plain, "", Shift, 49),
        item("mnuMHelp", "mnuVantamorphWeb"),
        item("mnuMHelp", "mnuResourceTagline"),
        item("mnuMHelp", "mnuAboutUS"),
        item("mnuMHelp", "mnuCopyrightInfo"),
        fromTemplate,
        publishDialog,
        publishItem("mnuPublishPNG100%", "PNG (100%)"),
        publishItem("mnuPublishPNG25%", "PNG (25%)"),
        publishItem("mnuPublishPNGThumbnail", "PNG Thumbnail"),
        publishItem("mnuPublishtransparentPNG", "24 bit/Transparent PNG"),
        publishItem("mnuPublishtransparentGIF", "Transparent GIF"),
        publishItem("mnuPublishJPG100%", "JPG (100%)"),
        publishItem("mnuPublishJPG25%", "JPG (25%)"),
        publishItem("mnuPublishJPGThumbnail", "JPG Thumbnail"),
        publishItem("mnuPublishTIFF100%", "TIFF (100%)"),
        publishItem("mnuPublishTIFF25%", "TIFF (25%)"),
        publishItem("mnuPublishTIFFThumbnail", "TIFF Thumbnail"),
        publishItem("mnuPublishEPS", "EPS"),
        publishItem("mnuPublishGIF100%", "GIF (100%)"),
        publishItem("mnuPublishGIF25%", "GIF (25%)"),
        publishItem("mnuPublishGIFThumbnail", "GIF Thumbnail"),
        publishItem("mnuPublishVEPS", "Vector EPS"),
    };
}
} // namespace

const QList<MenuTreeEntry>& menuTree()
{
    static const QList<MenuTreeEntry> tree = buildTree();
    return tree;
}

const QList<QRgb>& menuBarColors()
{
    static const QList<QRgb> colors = {qRgb(109, 177, 241), qRgb(221, 240, 255), qRgb(19, 121, 206),
                                       qRgb(198, 226, 250), qRgb(0, 0, 0)};
    return colors;
}

const QStringList& panelGroup()
{
    static const QStringList keys = {QStringLiteral("mnuProject"), QStringLiteral("mnuEdit"),
                                     QStringLiteral("mnuObject"),  QStringLiteral("mnuPanels"),
                                     QStringLiteral("mnuMHelp"),   QStringLiteral("mnuFromTemplate")};
    return keys;
}

const QStringList& editingGroup()
{
    static const QStringList keys = {QStringLiteral("mnuProject"),   QStringLiteral("mnuEdit"),
                                     QStringLiteral("mnuObject"),    QStringLiteral("mnuTextStyle"),
                                     QStringLiteral("mnuMHelp"),     QStringLiteral("mnuFromTemplate")};
    return keys;
}

const QStringList& activateGroup()
{
    static const QStringList keys = {QStringLiteral("mnuProject"), QStringLiteral("mnuEdit"),
                                     QStringLiteral("mnuObject"),  QStringLiteral("mnuPanels"),
                                     QStringLiteral("mnuMHelp"),   QStringLiteral("mnuLanguage"),
                                     QStringLiteral("mnuFromTemplate")};
    return keys;
}

} // namespace vm
