#include "canvas/logo/template_library.h"

#include "canvas/logo/logo_xml.h"
#include "platform/api/atomic_file.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vm {

const QString TemplateLibrary::ownCategory = QStringLiteral("My templates");

namespace {
const QStringList templateFiles = {QStringLiteral("*.xml"), QStringLiteral("*.vmp")};

bool isShortWord(const QString& word)
{
    static const QStringList words = {QStringLiteral("and"), QStringLiteral("of"), QStringLiteral("the"),
                                      QStringLiteral("for"), QStringLiteral("a")};
    return words.contains(word);
}
} // namespace

QString TemplateLibrary::shownName(const QString& fileName)
{
    QStringList words = fileName.split(QLatin1Char('-'), Qt::SkipEmptyParts);
    for (int index = 0; index < words.size(); ++index) {
        QString& word = words[index];
        if (index > 0 && isShortWord(word))
            continue;
        word[0] = word[0].toUpper();
    }
    return words.join(QLatin1Char(' '));
}

TemplateLibrary TemplateLibrary::load(const QString& shippedFolder, const QString& ownFolder, const Log& log)
{
    TemplateLibrary library;
    if (!shippedFolder.isEmpty()) {
        const QDir shipped(shippedFolder);
        for (const QString& category : shipped.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            library.readFolder(shipped.filePath(category), shownName(category), false, log);
    }
    if (!ownFolder.isEmpty())
        library.readFolder(ownFolder, ownCategory, true, log);
    return library;
}

void TemplateLibrary::readFolder(const QString& folder, const QString& category, bool own, const Log& log)
{
    const QDir directory(folder);
    for (const QFileInfo& file : directory.entryInfoList(templateFiles, QDir::Files, QDir::Name)) {
        logo_xml::ReadResult read = logo_xml::readFile(file.filePath(), file_limits::templateDesign);
        if (!read.document) {
            if (log)
                log(QStringLiteral("template skipped: %1: %2").arg(file.filePath(), read.error));
            continue;
        }
        LogoTemplate entry;
        entry.category = category;
        entry.name = own ? file.completeBaseName() : shownName(file.completeBaseName());
        entry.path = file.filePath();
        entry.own = own;
        entry.logo = std::move(*read.document);
        templates_.append(std::move(entry));
    }
}

QString TemplateLibrary::defaultOwnFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Vantamorph/templates");
}

QString TemplateLibrary::saveOwn(const QString& folder, const QString& name, const LogoDocument& logo, QString* error)
{
    const auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return QString();
    };
    // The name becomes the file name: nothing that leaves the folder or hides the file.
    QString fileName = name.simplified();
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    for (QChar& character : fileName)
        if (forbidden.contains(character) || character.category() == QChar::Other_Control)
            character = QLatin1Char('-');
    while (fileName.startsWith(QLatin1Char('.')))
        fileName.remove(0, 1);
    if (fileName.isEmpty())
        return fail(QStringLiteral("The template needs a name."));
    fileName = fileName.left(120);
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("The folder %1 cannot be made.").arg(folder));
    const QString path = QDir(folder).filePath(fileName + QStringLiteral(".xml"));
    const WriteOutcome written = writeFileAtomically(path, logo_xml::write(logo));
    if (!written.ok)
        return fail(QStringLiteral("%1 cannot be written: %2").arg(path, written.reason));
    return path;
}

QStringList TemplateLibrary::categories() const
{
    QStringList names;
    for (const LogoTemplate& entry : templates_)
        if (!names.contains(entry.category))
            names.append(entry.category);
    // The user's own come last, also when there are none yet: it is where a saved template goes.
    names.removeAll(ownCategory);
    names.append(ownCategory);
    return names;
}

QList<const LogoTemplate*> TemplateLibrary::inCategory(const QString& category) const
{
    QList<const LogoTemplate*> found;
    for (const LogoTemplate& entry : templates_)
        if (entry.category == category)
            found.append(&entry);
    return found;
}

const LogoTemplate* TemplateLibrary::find(const QString& category, const QString& name) const
{
    for (const LogoTemplate& entry : templates_)
        if (entry.category.compare(category, Qt::CaseInsensitive) == 0 && entry.name.compare(name, Qt::CaseInsensitive) == 0)
            return &entry;
    return nullptr;
}

} // namespace vm
