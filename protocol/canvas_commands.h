#pragma once

#include <QStringList>

namespace vm::canvas_commands {

// Every command the editing canvas may raise, in the order its table tries them.
inline const QStringList& editing()
{
    static const QStringList names = {
        QStringLiteral("show open"),         QStringLiteral("show save"),
        QStringLiteral("show new"),          QStringLiteral("show publish"),
        QStringLiteral("add keyword"),       QStringLiteral("datatosave"),
        QStringLiteral("wizard finish"),     QStringLiteral("isloaded"),
        QStringLiteral("importfonts"),       QStringLiteral("istextedit"),
        QStringLiteral("show startup"),      QStringLiteral("show alerto"),
        QStringLiteral("publish selection"), QStringLiteral("quick help"),
        QStringLiteral("fnbrowseimage"),     QStringLiteral("convertdata"),
        QStringLiteral("publishtransparentimage"), QStringLiteral("fmloaded"),
        QStringLiteral("fmactivemenu"),      QStringLiteral("enabledisable_menuitem"),
        QStringLiteral("templatecall"),      QStringLiteral("cropimage"),
        QStringLiteral("vectoreps"),         QStringLiteral("topmenuendisable"),
        QStringLiteral("exit"),
        // Our own: the canvas could not open the file it was sent (path), and a
        // publish it was asked for cannot finish (what failed).
        QStringLiteral("openrefused"),       QStringLiteral("publishfailed"),
        // Our own: the answer to the host's autosave request (the logo XML).
        QStringLiteral("autosave"),
    };
    return names;
}

// Every command the bitmap canvas raises: one picture each, its bytes in Base64.
inline const QStringList& bitmap()
{
    static const QStringList names = {
        QStringLiteral("publishpng"),            QStringLiteral("publishjpg"),
        QStringLiteral("publishtiff"),           QStringLiteral("publishtransparentpng"),
        QStringLiteral("publishtransparentgif"), QStringLiteral("publishgif"),
    };
    return names;
}

// The function the host calls on the bitmap canvas with the name of the
// background it is to draw on.
// The name travels inside XML: markup characters in it must not break the call.
inline QString receiveBackgroundNameCall(const QString& name)
{
    return QStringLiteral("<invoke name='receiveBgName'><arguments><string>") + name.toHtmlEscaped()
           + QStringLiteral("</string></arguments></invoke>");
}

} // namespace vm::canvas_commands
