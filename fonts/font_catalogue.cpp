#include "fonts/font_catalogue.h"

namespace vm {

QString FontCatalogue::userFontList() const
{
    QString list;
    for (const QString& name : fontNames)
        list += name + QLatin1Char(',');
    return list;
}

QString FontCatalogue::fileOf(const QString& faceName) const
{
    for (qsizetype index = fontNames.size() - 1; index >= 0; --index)
        if (fontNames[index] == faceName)
            return fontFiles.value(index);
    return QString();
}

} // namespace vm
