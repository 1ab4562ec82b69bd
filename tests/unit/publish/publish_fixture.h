#pragma once

#include "publish/picture_files.h"
#include "publish/publishing.h"
#include "tests/support/test_pictures.h"
#include "tests/unit/print/print_fixture.h"

#include <QImage>

namespace vm::test {

// The converter as a test sees it: every command line is kept; a crop leaves
// a picture of the cropped size at its target and any other line copies its
// source there, as convert would (unless produce is off: a broken converter).
struct FakeConverter : ProcessRunner {
    QStringList commandLines;
    bool produce = true;
    bool runProcess(const QString& line, const QString& folder, int, int, int) override
    {
        commandLines.append(line);
        const QStringList words = splitCommandLine(line);
        if (!produce || words.size() < 3)
            return true;
        const auto resolve = [&folder](const QString& path) {
            return QFileInfo(path).isAbsolute() ? path : folder + QLatin1Char('/') + path;
        };
        const QString target = resolve(words.last());
        const qsizetype crop = words.indexOf(QStringLiteral("-crop"));
        if (crop >= 0 && words.size() > crop + 3) {
            const QStringList size = words[crop + 1].section(QLatin1Char('+'), 0, 0).split(QLatin1Char('x'));
            QImage picture(size.value(0).toInt(), size.value(1).toInt(), QImage::Format_RGB32);
            picture.fill(Qt::blue);
            picture.save(target);
        } else if (const QString source = resolve(words[words.size() - 2]); source != target) {
            QFile::remove(target);
            QFile::copy(source, target);
        }
        return true;
    }
    int runForExitCode(const QString& line) override
    {
        commandLines.append(line);
        return 0;
    }
};

class PublishFixture : public PrintFixture {
protected:
    void SetUp() override
    {
        PrintFixture::SetUp();
        QDir().mkpath(programFolder + QStringLiteral("/bin/VmEPS"));
        QDir().mkpath(root.path() + QStringLiteral("/out"));
        spooler.addPrinter(QStringLiteral("Office"), QStringLiteral("PDF"), QStringLiteral("LPT1:"));
        spooler.addPrinter(QStringLiteral("Vantamorph"), printer_driver::printToFile, QStringLiteral("FILE:"));
        spooler.setDefaultPrinter(QStringLiteral("Office"));
        publishing = std::make_unique<Publishing>(seams().publish(), converterServices);
        host->language.LoadLanguage(0);
        trace.lines.clear();
    }

    SaveLogoForm& dialog() { return publishing->dialog(); }
    // A picture as the bitmap canvas sends it: a stage-sized PNG in Base64.
    static QString pictureBase64(const QColor& colour = Qt::white)
    {
        return QString::fromLatin1(encodedPicture(QSize(507, 397), colour).toBase64());
    }
    QString out(const QString& name) const { return root.path() + QStringLiteral("/out/") + name; }

    FakeConverter converter;
    PrintServices converterServices{converter, spooler, locale, osVersion};
    std::unique_ptr<Publishing> publishing;
};

} // namespace vm::test
