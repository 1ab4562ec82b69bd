#pragma once

#include "fonts/movies/font_movie_descriptions.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QString>

namespace vm::test {

// A shipped OFL font: the one the font movie tests import.
inline QString latoFile() { return QStringLiteral(VM_SOURCE_DIR "/data/fonts/Lato-Regular.ttf"); }

// Compiles face from fontFile into folder/<fontMovieBaseName(face)>.swf with
// the program's own compiler, as the host does; returns the movie's path or "".
inline QString compileFontMovie(const QString& face, const QString& fontFile, const QString& folder)
{
    const QString description = folder + QStringLiteral("/test.xml");
    QFile file(description);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(fontLibraryDescription(face, fontFile).toUtf8());
    file.close();
    const QString movie = folder + QLatin1Char('/') + fontMovieBaseName(face) + QStringLiteral(".swf");
    QProcess compiler;
    compiler.start(QStringLiteral(VM_PROGRAM_DIR "/swfmill"), {QStringLiteral("simple"), description, movie});
    const bool done = compiler.waitForFinished(30000) && compiler.exitStatus() == QProcess::NormalExit && compiler.exitCode() == 0;
    return done ? movie : QString();
}

// Dark pixels in either picture, and pixels whose grey differs clearly (same sizes).
struct InkComparison {
    int ink = 0;
    int differ = 0;
};
inline InkComparison compareInk(const QImage& ours, const QImage& theirs)
{
    InkComparison result;
    for (int y = 0; y < ours.height(); ++y)
        for (int x = 0; x < ours.width(); ++x) {
            const int left = qGray(ours.pixel(x, y)), right = qGray(theirs.pixel(x, y));
            result.ink += left < 128 || right < 128;
            result.differ += std::abs(left - right) > 96;
        }
    return result;
}

} // namespace vm::test
