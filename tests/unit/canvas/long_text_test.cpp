// Curved and spaced texts set glyph by glyph: ordinary ones draw exactly as
// one path of every outline did, and a text of a megabyte, from the editor or
// from a file, is cut to the text limit and drawn quickly in little memory.
#include "canvas/logo/logo_renderer.h"
#include "canvas/logo/logo_xml.h"
#include "canvas/logo/raw_font_glyphs.h"
#include "canvas_test_support.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QTransform>
#include <QtMath>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace vm::test {
namespace {

LogoElement styledText(const QString& words)
{
    LogoElement text = textElement(words);
    text.position = QPointF(12, 9);
    return text;
}

// The text drawn as it was before glyphs were kept apart: every outline placed
// into one path, which is filled (over its outline) into the element's box.
QImage drawnAsOnePath(const LogoElement& text, const QSize& stage)
{
    QFont font(text.fontFamily);
    font.setPixelSize(qRound(text.fontSize));
    font.setBold(text.bold);
    const RawFontGlyphSource glyphs(font);
    const double ascent = glyphs.ascent(), descent = glyphs.descent();
    struct Set { char32_t character; double x, advance; };
    std::vector<std::vector<Set>> lines;
    std::vector<double> widths;
    double widest = 0;
    for (const QString& line : text.text.split(QLatin1Char('\n'))) {
        const QList<uint> characters = line.toUcs4();
        std::vector<Set> set;
        double x = 0;
        for (qsizetype index = 0; index < characters.size(); ++index) {
            set.push_back({characters[index], x, glyphs.advance(characters[index])});
            x += set.back().advance;
            if (index + 1 < characters.size())
                x += glyphs.kerning(characters[index], characters[index + 1]) + text.letterSpacing;
        }
        lines.push_back(set);
        widths.push_back(std::max(0.0, x));
        widest = std::max(widest, widths.back());
    }
    QPainterPath outline;
    QRectF cells;
    for (size_t index = 0; index < lines.size(); ++index) {
        const double baseline = ascent + double(index) * glyphs.lineSpacing() * text.lineSpacing;
        const double start = (widest - widths[index]) * (text.alignment == TextAlignment::Centre ? 0.5 : 0);
        for (const Set& glyph : lines[index]) {
            QTransform at;
            if (text.arcRadius == 0) {
                at.translate(start + glyph.x, baseline);
            } else {
                const double angle = (glyph.x + glyph.advance / 2 - widths[index] / 2) / text.arcRadius;
                at.translate(widest / 2 + text.arcRadius * std::sin(angle), baseline + text.arcRadius - text.arcRadius * std::cos(angle));
                at.rotate(qRadiansToDegrees(angle));
                at.translate(-glyph.advance / 2, 0);
            }
            outline.addPath(at.map(glyphs.outline(glyph.character)));
            const QRectF cell = at.mapRect(QRectF(0, -ascent, std::max(glyph.advance, 0.0), ascent + descent));
            cells = cells.isNull() ? cell : cells.united(cell);
        }
    }
    const QRectF bounds = cells.united(outline.boundingRect());
    const QSizeF size(std::max(1.0, bounds.width()), std::max(1.0, bounds.height()));
    QImage image(stage, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.translate(text.position);
    painter.scale(text.size.width() / size.width(), text.size.height() / size.height());
    const QPainterPath placed = outline.translated(-bounds.topLeft());
    if (text.strokeWidth > 0)
        painter.strokePath(placed, QPen(text.strokeColor, text.strokeWidth * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(placed, text.color);
    return image;
}

int inkedPixels(const QImage& image)
{
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            inked += image.pixelColor(x, y).lightness() < 200;
    return inked;
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

TEST(LongTextTest, OrdinaryCurvedAndSpacedTextsDrawExactlyAsOnePathDid)
{
    LogoElement curved = styledText(QStringLiteral("Harbour Coffee & Tea"));
    curved.arcRadius = 150;
    curved.letterSpacing = 1.5;
    curved.strokeColor = QColor(0xf2, 0xb1, 0x3b);
    curved.strokeWidth = 2;
    LogoElement spaced = styledText(QStringLiteral("roasted\nsince 1987 AVA"));
    spaced.letterSpacing = -4; // letters overlap their neighbours
    spaced.alignment = TextAlignment::Centre;
    spaced.lineSpacing = 0.9;
    for (LogoElement text : {curved, spaced}) {
        text.size = LogoRenderer::naturalTextSize(text);
        LogoDocument logo;
        logo.stageSize = QSize(460, 260);
        logo.elements = {text};
        const QImage drawn = LogoRenderer().render(logo, 1, Qt::white);
        const QImage expected = drawnAsOnePath(text, logo.stageSize);
        EXPECT_EQ(drawn.convertToFormat(QImage::Format_ARGB32), expected.convertToFormat(QImage::Format_ARGB32))
            << text.text.toStdString();
        EXPECT_GT(inkedPixels(drawn), 500) << text.text.toStdString(); // both drew the text
    }
}

TEST(LongTextTest, AMegabyteTextIsCutToTheLimitAndDrawsQuicklyInLittleMemory)
{
    QString megabyte;
    while (megabyte.size() < (1 << 20))
        megabyte += QStringLiteral("Harbour Coffee ");
    LogoElement text = styledText(megabyte);
    text.arcRadius = 150;
    text.strokeWidth = 1;

    // From a file: the text is read cut at the limit, never inside a surrogate
    // pair, and the cut logo saves and opens again unchanged.
    LogoDocument logo;
    logo.elements = {text};
    logo.elements[0].text.insert(limits::maxTextLength - 1, QString::fromUcs4(U"\U0001F600", 1));
    const logo_xml::ReadResult read = logo_xml::read(logo_xml::write(logo));
    ASSERT_TRUE(read.document);
    const QString cut = read.document->elements[0].text;
    EXPECT_EQ(cut.size(), limits::maxTextLength - 1);
    EXPECT_TRUE(megabyte.startsWith(cut));
    const QByteArray saved = logo_xml::write(*read.document);
    EXPECT_EQ(logo_xml::write(*logo_xml::read(saved).document), saved);

    // Put in by other means, it is set only up to the limit, and drawn within budget.
    const long before = peakKilobytes();
    QElapsedTimer clock;
    clock.start();
    LogoRenderer renderer;
    const QSizeF natural = renderer.textSize(text);
    LogoElement within = text;
    within.text = megabyte.left(limits::maxTextLength);
    EXPECT_EQ(natural, renderer.textSize(within));
    text.size = natural.scaled(300, 300, Qt::KeepAspectRatio);
    text.position = QPointF(0, 0);
    logo.stageSize = QSize(300, 300);
    logo.elements = {text};
    const QImage image = renderer.render(logo, 0.5, Qt::white);
    EXPECT_GT(inkedPixels(image), 1000); // the ring of piled-up letters
    EXPECT_LT(clock.elapsed(), 30000);
    EXPECT_LT(peakKilobytes() - before, 300 * 1024);
}

} // namespace
} // namespace vm::test
