#include "recovery/recovery_files.h"

#include "canvas/logo/logo_xml.h"
#include "platform/api/bounded_file.h"
#include "platform/api/file_limits.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <pugixml.hpp>

#include <cstring>
#include <sys/stat.h>

namespace vm::recovery_files {

bool isOwnName(const QString& name)
{
    static const QRegularExpression own(QStringLiteral(
        "^[0-9]+-[0-9a-f]+\\.(lock|lock\\.new|vmp|json|vmp\\.[A-Za-z0-9]{6}|json\\.[A-Za-z0-9]{6})$"));
    return own.match(name).hasMatch();
}

QString idOf(const QString& name) { return name.section(QLatin1Char('.'), 0, 0); }

Kind kindOf(const QString& path, qint64* size)
{
    struct stat facts {};
    if (::lstat(QFile::encodeName(path).constData(), &facts) != 0)
        return Kind::Missing;
    if (size)
        *size = facts.st_size;
    return S_ISREG(facts.st_mode) ? Kind::File : Kind::Other;
}

bool isRealFolder(const QString& path, QString& reason)
{
    struct stat facts {};
    if (::lstat(QFile::encodeName(path).constData(), &facts) != 0) {
        reason = QStringLiteral("%1 does not exist").arg(path);
        return false;
    }
    if (S_ISLNK(facts.st_mode)) {
        reason = QStringLiteral("%1 is a link to another folder").arg(path);
        return false;
    }
    if (!S_ISDIR(facts.st_mode)) {
        reason = QStringLiteral("%1 is not a folder").arg(path);
        return false;
    }
    return true;
}

bool isLogo(const QByteArray& bytes, QString& reason)
{
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(bytes.constData(), size_t(bytes.size()));
    if (!parsed || !document.document_element()) {
        reason = QStringLiteral("the logo is not well-formed XML (%1)").arg(QString::fromUtf8(parsed.description()));
        return false;
    }
    if (std::strcmp(document.document_element().name(), logo_xml::rootName) != 0) {
        reason = QStringLiteral("it holds no logo");
        return false;
    }
    return true;
}

bool isLogoProject(const QString& path)
{
    if (!QDir::isAbsolutePath(path))
        return false;
    const BoundedRead project = readBoundedFile(path, file_limits::logoProject);
    QString reason;
    return project.ok() && isLogo(project.bytes, reason);
}

} // namespace vm::recovery_files
