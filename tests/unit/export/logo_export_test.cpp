#include "export/logo_export.h"
#include "export/logo_pictures.h"
#include "tests/unit/export/export_test_support.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QXmlStreamReader>

namespace vm::export_test {
namespace {

using LogoExport = ExportFixture;

QImage readImage(const QString& path, QByteArray* format = nullptr)
{
    QImageReader reader(path);
    if (format)
        *format = reader.format();
    return reader.read();
}

TEST_F(LogoExport, PicturesHaveTheirFormatTheNamedSizeAndTheStageColours)
{
    struct Case {
        const char* name;
        QByteArray format;
        ExportOptions options;
        QSize size;
    };
    const QList<Case> cases = {
        {"full.png", "png", {}, QSize(400, 200)},
        {"wide.jpg", "jpeg", sized(800, 0), QSize(800, 400)},
        {"tall.gif", "gif", sized(0, 50), QSize(100, 50)},
        {"box.tiff", "tiff", sized(1000, 100), QSize(200, 100)},
    };
    for (const Case& test : cases) {
        const QString target = path(QLatin1String(test.name));
        const auto format = export_format::fromPath(target);
        ASSERT_TRUE(format);
        const WriteOutcome written = logo_export::write(target, *format, logo, renderer, test.options);
        ASSERT_TRUE(written.ok) << test.name << ' ' << written.reason.toStdString();
        QByteArray read;
        const QImage image = readImage(target, &read);
        EXPECT_EQ(read, test.format) << test.name;
        EXPECT_EQ(image.size(), test.size) << test.name;
        // The empty corner shows the stage's yellow (GIF and JPG quantise a little).
        const QColor corner = image.pixelColor(1, 1);
        EXPECT_GT(corner.red(), 230) << test.name;
        EXPECT_GT(corner.green(), 230) << test.name;
        EXPECT_LT(corner.blue(), 40) << test.name;
    }
}

TEST_F(LogoExport, TransparentAndOtherBackgrounds)
{
    ExportOptions clear;
    clear.transparent = true;
    ASSERT_TRUE(logo_export::write(path(QStringLiteral("clear.png")), ExportFormat::Png, logo, renderer, clear).ok);
    const QImage png = readImage(path(QStringLiteral("clear.png")));
    EXPECT_TRUE(png.hasAlphaChannel());
    EXPECT_EQ(png.pixelColor(1, 1).alpha(), 0);
    // The symbol's middle is drawn, opaque and in its own colour.
    EXPECT_EQ(png.pixelColor(310, 130).alpha(), 255);
    EXPECT_EQ(png.pixelColor(310, 130).blue(), 255);

    ASSERT_TRUE(logo_export::write(path(QStringLiteral("clear.gif")), ExportFormat::Gif, logo, renderer, clear).ok);
    EXPECT_EQ(readImage(path(QStringLiteral("clear.gif"))).pixelColor(1, 1).alpha(), 0);

    // JPG has no alpha: see-through lies on white.
    ASSERT_TRUE(logo_export::write(path(QStringLiteral("clear.jpg")), ExportFormat::Jpg, logo, renderer, clear).ok);
    EXPECT_GT(readImage(path(QStringLiteral("clear.jpg"))).pixelColor(1, 1).blue(), 240);

    ExportOptions green;
    green.background = QColor(Qt::green);
    ASSERT_TRUE(logo_export::write(path(QStringLiteral("green.png")), ExportFormat::Png, logo, renderer, green).ok);
    EXPECT_EQ(readImage(path(QStringLiteral("green.png"))).pixelColor(1, 1), QColor(Qt::green));
}

TEST_F(LogoExport, SvgIsVectorXmlWithTheExactColoursAndTheTextAsText)
{
    ASSERT_TRUE(logo_export::write(path(QStringLiteral("logo.svg")), ExportFormat::Svg, logo, renderer, {}).ok);
    const QByteArray svg = readFile(path(QStringLiteral("logo.svg")));
    QXmlStreamReader xml(svg);
    QStringList names;
    QString text;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement)
            names.append(xml.name().toString());
        else if (xml.isCharacters() && !xml.isWhitespace())
            text += xml.text();
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(names.value(0), QStringLiteral("svg"));
    EXPECT_TRUE(names.contains(QStringLiteral("path"))) << "the symbol stays a path";
    EXPECT_TRUE(names.contains(QStringLiteral("text")));
    EXPECT_TRUE(text.contains(QStringLiteral("Acme")));
    EXPECT_FALSE(names.contains(QStringLiteral("image"))) << "nothing was rasterised";
    for (const char* colour : {"#ffff00", "#ff0000", "#0000ff"})
        EXPECT_TRUE(svg.contains(colour)) << colour;
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 400 200\""));
    EXPECT_TRUE(QSvgRenderer(svg).isValid());
}

TEST_F(LogoExport, ImportedAndMissingFontsBecomeOutlinesInVectorFiles)
{
    LogoElement imported = logo.elements[0];
    imported.text = QStringLiteral("Imported");
    imported.fontFamily = QStringLiteral("DejaVu Serif");
    imported.position = QPointF(40, 150);
    LogoElement missing = imported;
    missing.text = QStringLiteral("Missing");
    missing.fontFamily = QStringLiteral("A Font Nobody Has Installed");
    logo.elements.push_back(imported);
    logo.elements.push_back(missing);
    // The user font list names the imported face.
    QFile list(data() + QStringLiteral("/Font_user.xml"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("<fonts><font name=\"DejaVu Serif\"/></fonts>");
    list.close();

    ASSERT_TRUE(logo_export::write(path(QStringLiteral("fonts.svg")), ExportFormat::Svg, logo, renderer, {}).ok);
    const QByteArray svg = readFile(path(QStringLiteral("fonts.svg")));
    EXPECT_TRUE(svg.contains(">Acme<")) << "an installed font stays text";
    EXPECT_FALSE(svg.contains("Imported"));
    EXPECT_FALSE(svg.contains("Missing"));
    // The outlines are there, in the text's colour, where the screen draws the text.
    QImage drawn(logo.stageSize, QImage::Format_ARGB32);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    QSvgRenderer(svg).render(&painter);
    painter.end();
    int red = 0;
    for (int y = 150; y < 230; ++y)
        for (int x = 40; x < 240; ++x)
            red += drawn.pixelColor(x, y) == QColor(QStringLiteral("#ff0000"));
    EXPECT_GT(red, 200);
}

TEST_F(LogoExport, PdfIsOnePageOfTheStageSizeWithTheTextKept)
{
    ASSERT_TRUE(logo_export::write(path(QStringLiteral("logo.pdf")), ExportFormat::Pdf, logo, renderer, {}).ok);
    const QByteArray pdf = readFile(path(QStringLiteral("logo.pdf")));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    EXPECT_TRUE(pdf.contains("/FontFile")) << "the text's font is embedded, so the text stays text";
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (pdfinfo.isEmpty())
        GTEST_SKIP() << "pdfinfo is not installed";
    QProcess info;
    info.start(pdfinfo, {path(QStringLiteral("logo.pdf"))});
    ASSERT_TRUE(info.waitForFinished(20000));
    const QString output = QString::fromLocal8Bit(info.readAllStandardOutput());
    EXPECT_EQ(info.exitCode(), 0);
    EXPECT_TRUE(output.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\n")))) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("400 x 200 pts"))) << output.toStdString();
}

TEST_F(LogoExport, EpsHasTheStageAsItsBoundingBox)
{
    if (QStandardPaths::findExecutable(QStringLiteral("gs")).isEmpty())
        GTEST_SKIP() << "Ghostscript is not installed";
    ExportOptions doubled;
    doubled.width = 800;
    ASSERT_TRUE(logo_export::write(path(QStringLiteral("logo.eps")), ExportFormat::Eps, logo, renderer, doubled).ok);
    const QByteArray eps = readFile(path(QStringLiteral("logo.eps")));
    EXPECT_TRUE(eps.startsWith("%!PS-Adobe-3.0 EPSF-3.0"));
    EXPECT_TRUE(eps.contains("%%BoundingBox: 0 0 800 400"));
}

TEST_F(LogoExport, OptionsAreCheckedAgainstTheLimitBeforeAnythingIsDrawn)
{
    EXPECT_TRUE(logo_export::checkOptions(logo, {}).isEmpty());
    EXPECT_TRUE(logo_export::checkOptions(logo, sized(20000, 0)).isEmpty());
    EXPECT_TRUE(logo_export::checkOptions(logo, sized(20001, 0)).contains(QStringLiteral("width")));
    EXPECT_TRUE(logo_export::checkOptions(logo, sized(0, -5)).contains(QStringLiteral("height")));
    // A legal height that makes the wide stage too wide.
    EXPECT_TRUE(logo_export::checkOptions(logo, sized(0, 15000)).contains(QStringLiteral("30000x15000")));
    ExportOptions both;
    both.transparent = true;
    both.background = Qt::red;
    EXPECT_FALSE(logo_export::checkOptions(logo, both).isEmpty());
}

TEST_F(LogoExport, AFailedWriteKeepsTheOldFile)
{
    const QString target = path(QStringLiteral("missing-folder/logo.png"));
    EXPECT_FALSE(logo_export::write(target, ExportFormat::Png, logo, renderer, {}).ok);
    EXPECT_FALSE(QFile::exists(target));
}

TEST(LogoPictures, ContentBoundsFindTheDrawnPartAndOneColourKeepsTheShape)
{
    QImage picture(50, 40, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    for (int y = 10; y < 20; ++y)
        for (int x = 5; x < 30; ++x)
            picture.setPixelColor(x, y, QColor(200, 10, 10, 128));
    EXPECT_EQ(logo_pictures::contentBounds(picture), QRect(QPoint(5, 10), QPoint(29, 19)));
    const QImage white = logo_pictures::oneColour(picture, Qt::white);
    EXPECT_EQ(white.pixelColor(6, 11).alpha(), 128);
    EXPECT_EQ(white.pixelColor(6, 11).red(), 255);
    EXPECT_EQ(white.pixelColor(1, 1).alpha(), 0);

    QImage empty(8, 8, QImage::Format_ARGB32_Premultiplied);
    empty.fill(Qt::transparent);
    EXPECT_EQ(logo_pictures::contentBounds(empty), empty.rect());
}

} // namespace
} // namespace vm::export_test
