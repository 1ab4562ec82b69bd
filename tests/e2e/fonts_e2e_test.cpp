#include "tests/e2e/session_runner.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>

namespace vm::e2e {
namespace {

// The dark pixels of a picture, cut to the box they span.
QImage inkMask(const QImage& picture)
{
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    QRect ink;
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x)
            if (qGray(grey.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    QImage mask(ink.size().expandedTo(QSize(1, 1)), QImage::Format_Grayscale8);
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            mask.setPixel(x, y, ink.isEmpty() || qGray(grey.pixel(ink.x() + x, ink.y() + y)) < 128 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return mask;
}

// A line of text set from a font file alone: its glyphs with their kerned advances.
QPainterPath referenceLine(const QString& fontFile, const QString& text)
{
    const QRawFont font(fontFile, 96);
    const QList<quint32> glyphs = font.glyphIndexesForString(text);
    const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
    QPainterPath line;
    double x = 0;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        line.addPath(font.pathForGlyph(glyphs[i]).translated(x, 0));
        x += advances[i].x();
    }
    return line;
}

// The share of ink pixels where the published ink and the reference line,
// drawn onto the published ink's box, disagree.
double inkDifference(const QImage& published, const QPainterPath& reference)
{
    QImage drawn(published.size(), QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = reference.boundingRect();
    painter.scale(drawn.width() / box.width(), drawn.height() / box.height());
    painter.translate(-box.topLeft());
    painter.fillPath(reference, Qt::black);
    painter.end();
    int ink = 0, differing = 0;
    for (int y = 0; y < published.height(); ++y)
        for (int x = 0; x < published.width(); ++x) {
            const bool a = qGray(published.pixel(x, y)) < 128, b = qGray(drawn.pixel(x, y)) < 128;
            ink += a || b;
            differing += a != b;
        }
    return ink ? double(differing) / ink : 1;
}

// An installed font is listed for the canvas, imported into its two movies by
// the shipped compiler and the canvas's list stored; a second start reads the
// names from the cache, and a text set in the font is published in its shapes:
// the published letters match the font file's own, and not another face's.
TEST(FontsSession, AnInstalledFontIsImportedAndPublishedInItsOwnShapes)
{
    InstalledProgram program;
    useRealCanvasAndOwnPrinter(program);
    const QString lato = QStringLiteral(VM_SOURCE_DIR "/data/fonts/Lato-Regular.ttf");
    ASSERT_TRUE(QFile::copy(lato, program.fontsFolder() + QStringLiteral("/Lato-Regular.TTF")));
    const QByteArray list = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><userfonts><font name=\"Lato\"/></userfonts>";
    const auto result = program.run("wait ready\ncanvas \"importfonts\" " + quoted(QStringLiteral("Lato\u00e6") + QString::fromUtf8(list))
                                    + "\nwait idle\n");
    ASSERT_EQ(result.exitCode, 0) << result.shown();
    const QStringList& lines = result.transcript;
    EXPECT_EQ(lines.count(QStringLiteral("toFlash \"fontlist\" \"Lato,\" -> true")), 1) << result.shown();
    const QString flash = program.installRoot() + QStringLiteral("flash/");
    const QStringList runs = matching(lines, QStringLiteral("run "));
    ASSERT_EQ(runs.size(), 2) << result.shown();
    EXPECT_TRUE(runs[0].endsWith(QStringLiteral(" -> 0")) && runs[1].endsWith(QStringLiteral(" -> 0"))) << runs[1].toStdString();
    // Straight into the movies' own names, each line as the transcript quotes it.
    const auto ran = [&](const QString& description, const QString& movie) {
        const QString line = "\"" + program.programFolder() + "/swfmill\" simple \"" + flash + description + "\" \"" + flash + movie + "\"";
        return QStringLiteral("run \"") + QString(line).replace(QLatin1Char('"'), QStringLiteral("\\\"")) + "\" cwd=";
    };
    EXPECT_TRUE(runs[0].startsWith(ran("test.xml", "Lato.swf"))) << runs[0].toStdString();
    EXPECT_TRUE(runs[1].startsWith(ran("test_lib.xml", "Lato_lib.swf"))) << runs[1].toStdString();
    EXPECT_TRUE(readFile(flash + QStringLiteral("Lato.swf")).startsWith("FWS"));
    const QByteArray importMovie = readFile(flash + QStringLiteral("Lato_lib.swf"));
    EXPECT_TRUE(importMovie.startsWith("FWS") && importMovie.contains("Lato.swf"));
    EXPECT_EQ(readFile(program.installRoot() + QStringLiteral("datasrc/Font_user.xml")), list);
    EXPECT_GT(lines.indexOf(QStringLiteral("toFlash \"loaduserfonts\" \"True\" -> true")), lines.indexOf(runs[1]));
    EXPECT_TRUE(program.errorLog().isEmpty()) << program.errorLog().toStdString();
    EXPECT_TRUE(QFileInfo::exists(program.root_path() + QStringLiteral("/cache/Vantamorph/font-names.cache")));

    const QString words = QStringLiteral("Vantage AWAY");
    const QString logo = program.root_path() + QStringLiteral("/badge.vmp");
    writeFile(logo, "<VantamorphLogo version=\"2\" width=\"507\" height=\"397\" background=\"#ffffff\"><Text x=\"20\" y=\"140\" "
                    "width=\"467\" height=\"110\" text=\"" + words.toUtf8() + "\" font=\"Lato\" size=\"96\" color=\"#000000\"/></VantamorphLogo>");
    const QString png = program.root_path() + QStringLiteral("/badge.png");
    const auto second = program.run("wait ready\nanswer openfile " + quoted(logo) + "\nkey \"Ctrl+O\"\nwait 300\nanswer savefile "
                                    + quoted(png) + "\nanswer alert \"ok\"\nmenu \"mnuPublishPNG100%\"\nwait idle\n", QString(), 120000);
    ASSERT_EQ(second.exitCode, 0) << second.shown();
    EXPECT_EQ(second.transcript.count(QStringLiteral("toFlash \"fontlist\" \"Lato,\" -> true")), 1) << second.shown();
    ASSERT_TRUE(second.has(QStringLiteral("dialog frmAlert \"Your logo has been published.\" owner=frmMain -> ok"))) << second.shown();
    EXPECT_EQ(second.shown().find("is drawn in"), std::string::npos) << second.shown(); // no fallback face

    const QImage published = inkMask(QImage(png));
    ASSERT_GT(published.width(), 200);
    const double own = inkDifference(published, referenceLine(lato, words));
    const double other = inkDifference(published, referenceLine(QStringLiteral(VM_SOURCE_DIR "/data/fonts/Comfortaa-Regular.ttf"), words));
    EXPECT_LT(own, 0.1) << "published against Lato " << own << ", against Comfortaa " << other;
    EXPECT_GT(other, 3 * own) << "against Lato " << own << ", against Comfortaa " << other;
}

} // namespace
} // namespace vm::e2e
