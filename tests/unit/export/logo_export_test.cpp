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

ExportOptions withBackground(bool transparent, const QColor& background = QColor())
{
    ExportOptions options;
    options.transparent = transparent;
    options.background = background;
    return options;
}

// Each picture format at the named size, with the empty corner showing the
// stage's yellow, another background, or nothing (JPG has no alpha: white).
TEST_F(LogoExport, PicturesHaveTheirFormatTheNamedSizeAndTheBackground)
{
    const QColor yellow(255, 255, 0), clear(0, 0, 0, 0);
    const QList<std::tuple<const char*, QByteArray, ExportOptions, QSize, QColor>> cases = {
        {"full.png", "png", {}, QSize(400, 200), yellow},
        {"wide.jpg", "jpeg", sized(800, 0), QSize(800, 400), yellow},
        {"tall.gif", "gif", sized(0, 50), QSize(100, 50), yellow},
        {"box.tiff", "tiff", sized(1000, 100), QSize(200, 100), yellow},
        {"clear.png", "png", withBackground(true), QSize(400, 200), clear},
        {"clear.gif", "gif", withBackground(true), QSize(400, 200), clear},
        {"clear.jpg", "jpeg", withBackground(true), QSize(400, 200), Qt::white},
        {"green.png", "png", withBackground(false, Qt::green), QSize(400, 200), Qt::green},
    };
    for (const auto& [name, format, options, size, corner] : cases) {
        const QString target = path(QLatin1String(name));
        const WriteOutcome written = logo_export::write(target, *export_format::fromPath(target), logo, renderer, options);
        ASSERT_TRUE(written.ok) << name << ' ' << written.reason.toStdString();
        QByteArray read;
        const QImage image = readImage(target, &read);
        EXPECT_EQ(read, format) << name;
        EXPECT_EQ(image.size(), size) << name;
        // GIF and JPG quantise a little.
        const QColor drawn = image.pixelColor(1, 1);
        EXPECT_EQ(drawn.alpha(), corner.alpha()) << name;
        if (corner.alpha())
            EXPECT_LT(std::abs(drawn.red() - corner.red()) + std::abs(drawn.green() - corner.green()) + std::abs(drawn.blue() - corner.blue()), 40)
                << name << ' ' << drawn.name().toStdString();
    }
    // On a clear background the symbol's middle is drawn, opaque and in its own colour.
    const QImage png = readImage(path(QStringLiteral("clear.png")));
    EXPECT_TRUE(png.hasAlphaChannel());
    EXPECT_EQ(png.pixelColor(310, 130), QColor(Qt::blue));
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

TEST_F(LogoExport, AFailedWriteKeepsTheOldFile)
{
    const QString target = path(QStringLiteral("missing-folder/logo.png"));
    EXPECT_FALSE(logo_export::write(target, ExportFormat::Png, logo, renderer, {}).ok);
    EXPECT_FALSE(QFile::exists(target));
}

// Drawn content and one-colour copies are the brand pack's test; a picture
// with nothing drawn counts as all content, so its icon is not cut to nothing.
TEST(LogoPictures, AnEmptyPictureIsAllContent)
{
    QImage empty(8, 8, QImage::Format_ARGB32_Premultiplied);
    empty.fill(Qt::transparent);
    EXPECT_EQ(logo_pictures::contentBounds(empty), empty.rect());
}

} // namespace
} // namespace vm::export_test
