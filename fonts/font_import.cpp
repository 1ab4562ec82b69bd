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
#include <cstdio>

namespace vm {

namespace {

// Puts the new movie in place of the old in one step.
bool replace(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}
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
    const QString flash = host_.state.installRoot + QStringLiteral("flash") + path_style::separator;
    const QByteArray bytes = text.toUtf8();
    for (const QString& extension : {QStringLiteral(".txt"), QStringLiteral(".xml")}) {
        const WriteOutcome written = writeFileAtomically(flash + descriptionName + extension, bytes);
        if (!written.ok)
            return written.reason;
    }
    QFile::remove(movie);
    const QString commandLine = quotedArgument(host_.state.programFolder + path_style::separator + QStringLiteral("swfmill")
                                       + path_style::executableSuffix)
                                + QStringLiteral(" simple ") + quotedArgument(flash + descriptionName + QStringLiteral(".xml"))
                                + QLatin1Char(' ') + quotedArgument(movie);
    const int status = compiler_.runForExitCodeIn(commandLine, flash);
    if (status < 0)
        return QStringLiteral("the font compiler could not run");
    if (status > 0)
        return QStringLiteral("the font compiler stopped with status %1").arg(status);
    if (QFileInfo(movie).size() <= 0)
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

    // Each movie is compiled under a name of its own first (movie names never
    // start with a dot). The import movie reads the library movie by its real
    // name, so the new library takes its place before the import is compiled;
    // the previous one is kept aside and comes back if the import fails.
    const QString flash = host_.state.installRoot + QStringLiteral("flash") + path_style::separator;
    QDir().mkpath(flash);
    const QString base = fontMovieBaseName(faceName);
    const QString library = flash + base + QStringLiteral(".swf");
    const QString import = flash + base + QStringLiteral("_lib.swf");
    const QString newLibrary = flash + QLatin1Char('.') + base + QStringLiteral(".swf");
    const QString newImport = flash + QLatin1Char('.') + base + QStringLiteral("_lib.swf");
    const QString previousLibrary = newLibrary + QStringLiteral(".previous");
    QString why = compile(QStringLiteral("test"), fontLibraryDescription(faceName, fontFile), newLibrary);
    const bool hadLibrary = QFileInfo::exists(library);
    if (why.isEmpty() && ((hadLibrary && !replace(library, previousLibrary)) || !replace(newLibrary, library)))
        why = QStringLiteral("its movie could not be put in the flash folder");
    if (why.isEmpty())
        why = compile(QStringLiteral("test_lib"), fontImportDescription(faceName), newImport);
    if (why.isEmpty() && !replace(newImport, import))
        why = QStringLiteral("its movie could not be put in the flash folder");
    if (!why.isEmpty()) {
        if (QFileInfo::exists(previousLibrary))
            replace(previousLibrary, library);
        else if (!hadLibrary)
            QFile::remove(library);
        QFile::remove(newLibrary);
        QFile::remove(newImport);
        refuse(faceName, why, error_number::PathFileAccessError);
    }
    QFile::remove(previousLibrary);
    if (fields.size() < 2)
        throw RunTimeError(error_number::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    WriteUserFontXML(fields[1]);
}

void FontImport::WriteUserFontXML(const QString& text)
{
    const QString datasrc = host_.state.installRoot + QStringLiteral("datasrc") + path_style::separator;
    QDir().mkpath(datasrc);
    const QByteArray bytes = text.toUtf8();
    for (const QString& file : {QStringLiteral("Font_user.txt"), QStringLiteral("Font_user.xml")}) {
        const WriteOutcome written = writeFileAtomically(datasrc + file, bytes);
        if (!written.ok) {
            host_.messages.Alert(QStringLiteral("The font list could not be saved: %1").arg(written.reason),
                                 &host_.mainForm);
            throw RunTimeError(written.errorNumber, written.reason);
        }
    }
    host_.toFlash(QStringLiteral("loaduserfonts"), QStringLiteral("True"));
}

} // namespace vm
