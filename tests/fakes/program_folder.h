#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace vm::test {

// A program folder with the shipped texts and menu icons.
inline QString makeProgramFolder(const QTemporaryDir& root)
{
    const QString folder = root.path() + QStringLiteral("/Vantamorph");
    QDir().mkpath(folder + QStringLiteral("/Xml"));
    QDir().mkpath(folder + QStringLiteral("/Images"));
    QFile::copy(QStringLiteral(VM_SOURCE_DIR "/data/Xml/english.xml"), folder + QStringLiteral("/Xml/english.xml"));
    for (const char* icon : {"new", "open", "save", "cut", "copy", "paste", "delete"})
        QFile::copy(QStringLiteral(VM_SOURCE_DIR "/data/Images/") + QLatin1String(icon) + QStringLiteral(".bmp"),
                    folder + QStringLiteral("/Images/") + QLatin1String(icon) + QStringLiteral(".bmp"));
    return folder;
}

} // namespace vm::test
