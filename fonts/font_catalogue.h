#pragma once

#include <QString>
#include <QStringList>

namespace vm {

// The installed TrueType fonts as the scan found them: entry i of fontFiles
// (full path) carries the face name fontNames[i] ("&" written "And", "" when
// the file gave none), in the order the folders listed them.
struct FontCatalogue {
    QStringList fontFiles;
    QStringList fontNames;

    // Every face name followed by ",", empty names included, in file order.
    QString userFontList() const;
    // The file of a face name; the later file wins when several share it, ""
    // when none has it.
    QString fileOf(const QString& faceName) const;
};

} // namespace vm
