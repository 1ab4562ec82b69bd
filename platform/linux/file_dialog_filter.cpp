#include "platform/linux/file_dialog_filter.h"

#include <QRegularExpression>

namespace vm {

namespace {

QString qtPatterns(const QString& windowsPatterns)
{
    QStringList patterns;
    for (const QString& part : windowsPatterns.split(QLatin1Char(';'))) {
        QString pattern = part.trimmed();
        if (pattern.isEmpty())
            continue;
        // On Windows "*.*" also matches names without a dot.
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*");
        patterns.append(pattern);
    }
    return patterns.join(QLatin1Char(' '));
}

// Qt reads the patterns from a trailing "(...)", so a description that shows
// its own patterns must lose them before ours are added.
QString withoutShownPatterns(const QString& description)
{
    static const QRegularExpression shown(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    return QString(description).remove(shown).trimmed();
}

} // namespace

QStringList qtNameFilters(const QString& windowsFilter)
{
    QStringList parts = windowsFilter.split(QLatin1Char('|'));
    // "A|*.a|" ends with an empty part, as Windows filters often do.
    if (parts.size() % 2 == 1 && parts.last().trimmed().isEmpty())
        parts.removeLast();

    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        if (i + 1 >= parts.size()) {
            // A lone description: keep it, Qt reads patterns it may show.
            if (!description.isEmpty())
                filters.append(description);
            continue;
        }
        const QString patterns = qtPatterns(parts[i + 1]);
        if (patterns.isEmpty()) {
            if (!description.isEmpty())
                filters.append(description);
            continue;
        }
        QString label = withoutShownPatterns(description);
        if (label.isEmpty())
            label = patterns;
        filters.append(label + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return filters;
}

} // namespace vm
