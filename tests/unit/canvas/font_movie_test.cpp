// Font movies compiled by our compiler from a shipped font, read back by the
// canvas and drawn by the renderer, against Qt's own reading of the same file.
#include "canvas/logo/font_movie_reader.h"
#include "canvas/logo/logo_renderer.h"
#include "canvas/logo/imported_fonts.h"
#include "canvas_test_support.h"
#include "font_movie_support.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QRawFont>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace vm::test {
namespace {

const QString face = QStringLiteral("Lato Movie"); // not a family of this system: drawn only from the movie

class FontMovieTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = new QTemporaryDir;
        QFile file(compileFontMovie(face, latoFile(), folder->path()));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the compiler made no movie";
        movie = new QByteArray(file.readAll());
    }
    static void TearDownTestSuite()
    {
        delete movie;
        delete folder;
    }

    static FontMovieRead withCount(quint16 glyphs)
    {
        // The glyph count follows the font's name inside the font tag.
        QByteArray bytes = *movie;
        const qsizetype at = bytes.indexOf(face.toUtf8()) + face.size();
        qToLittleEndian(glyphs, bytes.data() + at);
        return readFontMovie(bytes);
    }

    // Both outlines filled at size px into one picture each; the share of pixels that differ.
    static double outlineMismatch(const QPainterPath& ours, const QPainterPath& theirs, int size)
    {
        const auto fill = [size](const QPainterPath& path) {
            QImage image(size * 2, size * 2, QImage::Format_Grayscale8);
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.translate(size / 2.0, size * 1.5);
            painter.fillPath(path, Qt::black);
            return image;
        };
        const InkComparison compared = compareInk(fill(ours), fill(theirs));
        return compared.ink == 0 ? 1.0 : double(compared.differ) / compared.ink;
    }

    static inline QTemporaryDir* folder = nullptr;
    static inline QByteArray* movie = nullptr;
};

TEST_F(FontMovieTest, ReadsTheCompiledFontAsQtReadsTheFontFile)
{
    const FontMovieRead read = readFontMovie(*movie);
    ASSERT_TRUE(read.face) << read.error.toStdString();
    const QRawFont lato(latoFile(), 100);
    ASSERT_TRUE(lato.isValid());

    // Every character of the import list the font has, and no other.
    int expected = 0;
    for (const QString& reference : userFontGlyphs().split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const char32_t code = reference.mid(2).toUInt();
        expected += lato.supportsCharacter(code);
        EXPECT_EQ(read.face->glyphs.contains(code), lato.supportsCharacter(code)) << uint(code);
    }
    EXPECT_EQ(read.face->glyphs.size(), expected);

    const MovieGlyphSource ours(read.face, 100);
    EXPECT_NEAR(ours.ascent(), lato.ascent(), 0.5);
    EXPECT_NEAR(ours.descent(), lato.descent(), 0.5);
    for (const char32_t code : {U'A', U'g', U'&', U'é', U'Ł', U'@', U'ő'}) {
        if (!lato.supportsCharacter(code))
            continue;
        const quint32 glyph = lato.glyphIndexesForString(QString::fromUcs4(&code, 1)).value(0);
        EXPECT_NEAR(ours.advance(code), lato.advancesForGlyphIndexes({glyph}).value(0).x(), 0.05) << uint(code);
        EXPECT_LT(outlineMismatch(ours.outline(code), lato.pathForGlyph(glyph), 100), 0.01) << uint(code);
    }
    EXPECT_TRUE(ours.outline(U' ').isEmpty());
    EXPECT_TRUE(ours.outline(U'\u4e00').isEmpty()); // not in the movie: nothing drawn, no failure
}

TEST_F(FontMovieTest, CompressedMovieReadsTheSameAndItsDamageIsRefused)
{
    // qCompress puts the length in front of the zlib stream; a compressed movie has its own header.
    const QByteArray stream = qCompress(movie->mid(8)).mid(4);
    QByteArray compressed = "CWS" + movie->mid(3, 5) + stream;
    const FontMovieRead read = readFontMovie(compressed);
    ASSERT_TRUE(read.face) << read.error.toStdString();
    EXPECT_EQ(read.face->glyphs.size(), readFontMovie(*movie).face->glyphs.size());

    // A stream that inflates beyond the declared length, and one that ends early.
    QByteArray bomb = compressed;
    qToLittleEndian(quint32(400), bomb.data() + 4);
    EXPECT_FALSE(readFontMovie(bomb).face);
    EXPECT_FALSE(readFontMovie(compressed.left(compressed.size() / 2)).face);
    QByteArray huge = compressed;
    qToLittleEndian(quint32(0xfffffff0), huge.data() + 4);
    EXPECT_FALSE(readFontMovie(huge).face);
}

TEST_F(FontMovieTest, HostileMoviesAreRefusedWithoutHarm)
{
    const FontMovieRead tooMany = withCount(0xffff);
    EXPECT_FALSE(tooMany.face);
    EXPECT_FALSE(tooMany.error.isEmpty());

    // Cut anywhere inside the font: the header made to agree with the cut.
    for (qsizetype cut = 8; cut < movie->size() / 2; cut += 37) {
        QByteArray bytes = movie->left(cut);
        qToLittleEndian(quint32(cut), bytes.data() + 4);
        EXPECT_FALSE(readFontMovie(bytes).face) << cut;
    }
    // A tag that claims more than the movie holds.
    const int frameBits = quint8(movie->at(8)) >> 3;
    QByteArray longTag = movie->left(8 + (5 + 4 * frameBits + 7) / 8 + 4);
    longTag += QByteArray::fromHex("ff12ffffff7f") + QByteArray(16, 'x');
    qToLittleEndian(quint32(longTag.size()), longTag.data() + 4);
    EXPECT_FALSE(readFontMovie(longTag).face);
    EXPECT_FALSE(readFontMovie("FWS").face);
    EXPECT_FALSE(readFontMovie(QByteArray(64, '\0')).face);

    // Random damage anywhere: whatever comes back, nothing crashes or hangs.
    QRandomGenerator random(11);
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes = *movie;
        for (int hit = 0; hit < 4; ++hit)
            bytes[8 + random.bounded(int(bytes.size() - 8))] = char(random.bounded(256));
        const FontMovieRead read = readFontMovie(bytes);
        EXPECT_TRUE(read.face || !read.error.isEmpty());
    }
}

TEST_F(FontMovieTest, RendererDrawsImportedTextLikeQtDrawsTheFontFile)
{
    ASSERT_TRUE(QDir().mkpath(folder->path() + QStringLiteral("/flash")));
    ASSERT_TRUE(QDir().mkpath(folder->path() + QStringLiteral("/datasrc")));
    QFile::copy(folder->path() + QStringLiteral("/Lato Movie.swf"), folder->path() + QStringLiteral("/flash/Lato Movie.swf"));
    QFile list(folder->path() + QStringLiteral("/datasrc/Font_user.xml"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(ImportedFonts().listWith(face).toUtf8());
    list.close();
    ImportedFonts fonts;
    fonts.load(folder->path(), {});
    LogoRenderer renderer;
    renderer.setGlyphLookup(fonts.lookup());

    LogoDocument logo;
    logo.stageSize = QSize(470, 90);
    LogoElement text;
    text.kind = ElementKind::Text;
    text.text = QStringLiteral("Vantage AWAY Logo");
    text.fontFamily = face;
    text.fontSize = 48;
    text.color = Qt::black;
    text.position = QPointF(10, 12);
    text.size = renderer.textSize(text);
    logo.elements.push_back(text);
    const QImage drawn = renderer.render(logo, 1.0, Qt::white).convertToFormat(QImage::Format_Grayscale8);

    // The same line set by hand from Qt's reading of the font file, kerning included.
    const QRawFont lato(latoFile(), 48);
    const QList<quint32> glyphs = lato.glyphIndexesForString(text.text);
    const QList<QPointF> advances = lato.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
    QImage expected(drawn.size(), QImage::Format_Grayscale8);
    expected.fill(Qt::white);
    QPainter painter(&expected);
    painter.setRenderHint(QPainter::Antialiasing);
    QPointF pen = text.position + QPointF(0, lato.ascent());
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        painter.fillPath(lato.pathForGlyph(glyphs[i]).translated(pen), Qt::black);
        pen.rx() += advances[i].x();
    }
    painter.end();
    EXPECT_NEAR(text.size.width(), pen.x() - text.position.x(), 0.5);

    const InkComparison compared = compareInk(drawn, expected);
    EXPECT_GT(compared.ink, 2000);
    EXPECT_LT(compared.differ, compared.ink / 100) << "of " << compared.ink << " ink pixels";
    drawn.save(QStringLiteral(VM_CANVAS_BUILD_DIR "/imported_font_text.png"));
}

} // namespace
} // namespace vm::test
