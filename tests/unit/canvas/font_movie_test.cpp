// Font movies compiled by our compiler from a shipped font, read back by the
// canvas and drawn by the renderer against Qt's own reading of the same file;
// the user's imported fonts: the list the canvas keeps and sends, the font box
// with its import list, and the reload the host asks for.
#include "canvas/editor/editor_widget.h"
#include "canvas/fonts/font_box.h"
#include "canvas/fonts/font_import_dialog.h"
#include "canvas/logo/font_movie_reader.h"
#include "canvas/logo/imported_fonts.h"
#include "canvas/logo/logo_renderer.h"
#include "canvas_test_support.h"
#include "fonts/movies/font_movie_descriptions.h"

#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QRawFont>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace vm::test {
namespace {

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
    // Outlines and advances: a line drawn from the movie against Qt's drawing of the font file, below.
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

void writeText(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QString listOf(const QStringList& faces)
{
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<userfonts>\n");
    for (const QString& face : faces)
        text += QStringLiteral("  <font name=\"%1\" />\n").arg(face);
    return text + QStringLiteral("</userfonts>\n");
}

TEST_F(FontMovieTest, ListedMoviesLoadAndDrawLikeQtDrawsTheFontFileAndBadOnesFallBackWithOneLineEach)
{
    QTemporaryDir root;
    QDir().mkpath(root.path() + QStringLiteral("/flash"));
    ASSERT_TRUE(QFile::copy(folder->path() + QStringLiteral("/Lato Movie.swf"), root.path() + QStringLiteral("/flash/Lato Movie.swf")));
    writeText(root.path() + QStringLiteral("/flash/Broken.swf"), "FWS\x08\xff\xff\x00\x00garbage");
    writeText(root.path() + QStringLiteral("/datasrc/Font_user.xml"),
              listOf({"Lato Movie", "Gone", "Broken", "Lato Movie"}).toUtf8());

    ImportedFonts fonts;
    QStringList log;
    fonts.load(root.path(), [&log](const QString& line) { log.append(line); });
    EXPECT_EQ(fonts.names(), QStringList({"Lato Movie", "Gone", "Broken"}));
    EXPECT_EQ(fonts.loadedFamilies(), QStringList({"Lato Movie"}));
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[0].contains(QStringLiteral("\"Gone\"")) && log[1].contains(QStringLiteral("\"Broken\"")));

    const GlyphLookup lookup = fonts.lookup();
    const auto movie = lookup(QStringLiteral("lato movie"), 20, false, false);
    ASSERT_TRUE(movie);
    EXPECT_TRUE(dynamic_cast<const MovieGlyphSource*>(movie.get()));
    const auto fallback = lookup(QStringLiteral("Gone"), 20, false, false);
    ASSERT_TRUE(fallback);
    EXPECT_GT(fallback->advance(U'A'), 5);
    EXPECT_FALSE(lookup(QStringLiteral("DejaVu Sans"), 20, false, false));
    // The list to store with one face more names each face once, escaped.
    EXPECT_EQ(fonts.listWith(QStringLiteral("Gone")), listOf({"Lato Movie", "Gone", "Broken"}));
    EXPECT_EQ(fonts.listWith(QStringLiteral("Tom's \"Bold\" <AndCo>")),
              listOf({"Lato Movie", "Gone", "Broken", "Tom's &quot;Bold&quot; &lt;AndCo>"}));

    LogoRenderer renderer;
    renderer.setGlyphLookup(lookup);
    LogoDocument logo;
    logo.stageSize = QSize(700, 90);
    LogoElement text = textElement(QStringLiteral("Vantage AWAY Logo & g\u00e9 @ \u0141\u0151"), 48);
    text.bold = false;
    text.fontFamily = face;
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

    // The lookup follows a later load: a list without movies leaves only fallbacks.
    writeText(root.path() + QStringLiteral("/datasrc/Font_user.xml"), "<userfonts><font name='Gone'/>");
    fonts.load(root.path(), {});
    EXPECT_TRUE(fonts.names().isEmpty()); // not well-formed: no list at all
    EXPECT_FALSE(lookup(QStringLiteral("Lato Movie"), 20, false, false));
}

// A read-only install: the user's list and movies (in the user's own root) come
// before the shipped ones; a shipped movie still serves a face the user lists.
TEST_F(FontMovieTest, TheUsersListAndMoviesAreReadBeforeTheShippedOnes)
{
    QTemporaryDir shipped, user;
    const QString movie = folder->path() + QStringLiteral("/Lato Movie.swf");
    ASSERT_TRUE(QDir().mkpath(shipped.path() + QStringLiteral("/flash")) && QDir().mkpath(user.path() + QStringLiteral("/flash")));
    writeText(shipped.path() + QStringLiteral("/datasrc/Font_user.xml"), listOf({"Shipped Only"}).toUtf8());
    ASSERT_TRUE(QFile::copy(movie, user.path() + QStringLiteral("/flash/Lato Movie.swf")));
    ASSERT_TRUE(QFile::copy(movie, shipped.path() + QStringLiteral("/flash/Old Movie.swf")));

    ImportedFonts fonts;
    fonts.load(shipped.path(), {}, user.path());
    EXPECT_EQ(fonts.names(), QStringList({"Shipped Only"})) << "no user list yet: the shipped one";
    writeText(user.path() + QStringLiteral("/datasrc/Font_user.xml"), listOf({"Lato Movie", "Old Movie"}).toUtf8());
    fonts.load(shipped.path(), {}, user.path());
    EXPECT_EQ(fonts.names(), QStringList({"Lato Movie", "Old Movie"}));
    EXPECT_EQ(fonts.loadedFamilies(), QStringList({"Lato Movie", "Old Movie"}));
    // Without the user's root the user's files are not seen.
    fonts.load(shipped.path(), {});
    EXPECT_EQ(fonts.names(), QStringList({"Shipped Only"}));
}

class FontBoxTest : public LoadedCanvasTest {};

TEST_F(FontBoxTest, ImportListRaisesImportfontsAndTheReloadPutsTheFaceInTheBoxAndTheText)
{
    // A program folder with shipped fonts.
    QDir().mkpath(root.path() + QStringLiteral("/fonts"));
    for (const char* font : {"Lato-Regular.ttf", "Comfortaa-Regular.ttf"})
        QFile::copy(QStringLiteral(VM_SOURCE_DIR "/data/fonts/") + QLatin1String(font),
                    root.path() + QStringLiteral("/fonts/") + QLatin1String(font));
    driver.load(root.path() + QStringLiteral("/flash/LogoMain.swf"));
    auto* widget = static_cast<EditorWidget*>(driver.canvas.view());
    widget->resize(760, 520);
    widget->show();
    driver.send(QStringLiteral("fontlist"), QStringLiteral("Zeta,,Lato Import,Alpha,Lato Import,"));
    driver.send(QStringLiteral("drawnewtext"), QStringLiteral("True"));
    driver.take();
    EXPECT_TRUE(driver.canvas.fontFamilies().contains(QStringLiteral("Comfortaa")));
    EXPECT_EQ(driver.canvas.importableFaces(), QStringList({"Alpha", "Lato Import", "Zeta"}));

    FontBox* box = widget->fontBox();
    EXPECT_EQ(box->itemText(box->importIndex()), QStringLiteral("Import font..."));
    EXPECT_EQ(box->currentText(), QStringLiteral("DejaVu Sans"));
    emit box->activated(box->importIndex());
    settle();
    FontImportDialog* list = box->importDialog();
    ASSERT_TRUE(list && list->isVisible());
    EXPECT_EQ(box->currentText(), QStringLiteral("DejaVu Sans")); // the entry is no font
    list->setQuery(QStringLiteral("lato"));
    EXPECT_EQ(list->shownFaces(), QStringList({"Lato Import"}));

    EXPECT_TRUE(list->choose(QStringLiteral("Lato Import")));
    settle();
    const QStringList raised = driver.take();
    ASSERT_EQ(raised.size(), 1);
    EXPECT_EQ(raised[0], QStringLiteral("importfonts|Lato Import") + ae + listOf({"Lato Import"}));

    // The host compiles the face, stores the list as sent and asks for a reload.
    const QString flash = root.path() + QStringLiteral("/flash");
    ASSERT_FALSE(compileFontMovie(QStringLiteral("Lato Import"), latoFile(), flash).isEmpty());
    writeText(root.path() + QStringLiteral("/datasrc/Font_user.xml"), raised[0].section(ae, 1).toUtf8());
    driver.send(QStringLiteral("loaduserfonts"), QStringLiteral("True"));
    EXPECT_EQ(box->itemText(box->importIndex() - 2), QStringLiteral("Lato Import"));
    ASSERT_EQ(logo().elements.size(), 1u);
    const LogoElement& text = logo().elements[0];
    EXPECT_EQ(text.fontFamily, QStringLiteral("Lato Import"));
    EXPECT_EQ(text.size, driver.canvas.logoRenderer().textSize(text));
    EXPECT_EQ(box->currentText(), QStringLiteral("Lato Import"));
    EXPECT_EQ(driver.take(), QStringList({"datatosave|true"}));

    // A second import keeps the first in the list it sends.
    driver.canvas.importFont(QStringLiteral("Zeta"));
    settle();
    EXPECT_EQ(driver.take(), QStringList({QStringLiteral("importfonts|Zeta") + ae + listOf({"Lato Import", "Zeta"})}));
    widget->hide();
}

TEST_F(FontBoxTest, TheNextStartOfTheCanvasLoadsTheStoredList)
{
    writeText(root.path() + QStringLiteral("/datasrc/Font_user.xml"), listOf({"Nowhere"}).toUtf8());
    CanvasDriver next;
    next.load(root.path() + QStringLiteral("/flash/LogoMain.swf"));
    EXPECT_EQ(next.canvas.userFonts().names(), QStringList({"Nowhere"}));
}

} // namespace
} // namespace vm::test
