#include "fonts/font_import.h"

#include "fonts/movies/font_movie_descriptions.h"
#include "protocol/field_separator.h"
#include "platform/api/atomic_file.h"
#include "platform/api/bounded_file.h"
#include "platform/api/file_limits.h"
#include "platform/api/path_style.h"
#include "platform/api/process_runner.h"
#include "platform/api/run_time_error.h"
#include "fonts/user_font_scan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <optional>
#include <sys/stat.h>

namespace vm {

namespace {

// What the compiler left at a path, to tell whether it wrote anything there:
// it replaces a movie by renaming a new file over it.
struct FileStamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    qint64 size = 0;
    timespec modified{};

    static FileStamp of(const QString& path)
    {
        FileStamp stamp;
        struct stat status {};
        if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
            return stamp;
        return {true, status.st_dev, status.st_ino, qint64(status.st_size), status.st_mtim};
    }
    bool operator==(const FileStamp& other) const
    {
        return exists == other.exists && device == other.device && inode == other.inode && size == other.size
               && modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
    }
};

// The movies and lists as they were before an import, put back whole when a
// later step fails, so an import changes all of them or none.
class PreviousFiles {
public:
    // "" when the file (or its absence) is kept; the reason when it cannot be read back.
    QString keep(const QString& path, qint64 limit)
    {
        BoundedRead read = readBoundedFile(path, limit);
        if (!read.ok() && read.failure != ReadFailure::Missing)
            return read.reason;
        kept_.append({path, read.ok() ? std::optional<QByteArray>(std::move(read.bytes)) : std::nullopt});
        return QString();
    }
    void putBack() const
    {
        for (const auto& [path, bytes] : kept_) {
            if (bytes)
                writeFileAtomically(path, *bytes);
            else
                QFile::remove(path);
        }
    }

private:
    QList<std::pair<QString, std::optional<QByteArray>>> kept_;
};
} // namespace

FontImport::FontImport(const FontSeams& host, UserFontScan& scan, ProcessRunner& compiler)
    : host_(host), scan_(scan), compiler_(compiler)
{
    host_.dispatcher.on(QStringLiteral("importfonts"), [this](const QString& argument) { importSelectedFont(argument); });
}

void FontImport::refuse(const QString& faceName, const QString& why, int errorNumber)
{
    host_.messages.Alert(QStringLiteral("The font %1 could not be imported: %2").arg(faceName, why), &host_.mainForm);
    throw RunTimeError(errorNumber, QStringLiteral("The font %1 could not be imported: %2").arg(faceName, why));
}

QString FontImport::compile(const QString& descriptionName, const QString& text, const QString& movie)
{
    const QString flash = host_.state.places.flashFolder() + path_style::separator;
    const QByteArray bytes = text.toUtf8();
    for (const QString& extension : {QStringLiteral(".txt"), QStringLiteral(".xml")}) {
        const WriteOutcome written = writeFileAtomically(flash + descriptionName + extension, bytes);
        if (!written.ok)
            return written.reason;
    }
    // The compiler writes the movie whole or leaves what was there untouched.
    const FileStamp before = FileStamp::of(movie);
    const QString commandLine = quotedArgument(host_.state.programFolder + path_style::separator + QStringLiteral("swfmill")
                                       + path_style::executableSuffix)
                                + QStringLiteral(" simple ") + quotedArgument(flash + descriptionName + QStringLiteral(".xml"))
                                + QLatin1Char(' ') + quotedArgument(movie);
    const int status = compiler_.runForExitCodeIn(commandLine, flash);
    if (status < 0)
        return QStringLiteral("the font compiler could not run");
    if (status > 0)
        return QStringLiteral("the font compiler stopped with status %1").arg(status);
    if (QFileInfo(movie).size() <= 0 || FileStamp::of(movie) == before)
        return QStringLiteral("the font compiler wrote no movie");
    return QString();
}

void FontImport::importSelectedFont(const QString& argument)
{
    const QStringList fields = argument.split(fieldSeparator);
    const QString faceName = fields.value(0);
    scan_.wait(); // an import before the list was handed over still finds the font
    const QString fontFile = scan_.catalogue().fileOf(faceName);
    if (fontFile.isEmpty())
        refuse(faceName, QStringLiteral("no installed TrueType font has that name"), error_number::FileNotFound);
    // The compiler would wait for ever on a pipe put in the font's place since the scan.
    if (const BoundedRead font = checkBoundedFile(fontFile, file_limits::fontFile); !font.ok())
        refuse(faceName, font.reason,
               font.failure == ReadFailure::Missing ? error_number::FileNotFound : error_number::PathFileAccessError);

    // The library movie is compiled first: the import movie reads it by its name.
    const QString flash = host_.state.places.flashFolder() + path_style::separator;
    const QString datasrc = host_.state.places.dataFolder() + path_style::separator;
    QDir().mkpath(flash);
    const QString base = fontMovieBaseName(faceName);
    const QString library = flash + base + QStringLiteral(".swf");
    const QString import = flash + base + QStringLiteral("_lib.swf");
    PreviousFiles previous;
    for (const auto& [path, limit] : {std::pair{library, file_limits::fontMovie}, std::pair{import, file_limits::fontMovie},
                                      std::pair{datasrc + QStringLiteral("Font_user.txt"), file_limits::xmlList},
                                      std::pair{datasrc + QStringLiteral("Font_user.xml"), file_limits::xmlList}}) {
        if (const QString why = previous.keep(path, limit); !why.isEmpty())
            refuse(faceName, QStringLiteral("the earlier %1 could not be kept: %2").arg(QFileInfo(path).fileName(), why),
                   error_number::PathFileAccessError);
    }
    QString why = compile(QStringLiteral("test"), fontLibraryDescription(faceName, fontFile), library);
    if (why.isEmpty())
        why = compile(QStringLiteral("test_lib"), fontImportDescription(faceName), import);
    int errorNumber = error_number::PathFileAccessError;
    if (why.isEmpty() && fields.size() >= 2) {
        const WriteOutcome written = writeUserFontList(fields[1]);
        why = written.reason;
        errorNumber = written.errorNumber;
    }
    if (!why.isEmpty()) {
        previous.putBack();
        refuse(faceName, why, errorNumber);
    }
    if (fields.size() < 2)
        throw RunTimeError(error_number::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    host_.toFlash(QStringLiteral("loaduserfonts"), QStringLiteral("True"));
}

WriteOutcome FontImport::writeUserFontList(const QString& text)
{
    const QString datasrc = host_.state.places.dataFolder() + path_style::separator;
    QDir().mkpath(datasrc);
    const QByteArray bytes = text.toUtf8();
    for (const QString& file : {QStringLiteral("Font_user.txt"), QStringLiteral("Font_user.xml")}) {
        if (WriteOutcome written = writeFileAtomically(datasrc + file, bytes); !written.ok)
            return WriteOutcome::failure(written.errorNumber, QStringLiteral("the font list could not be saved: ") + written.reason);
    }
    return {};
}

} // namespace vm
