// The user's imported fonts: the list the canvas keeps and sends, the font
// box with its import list, and the reload the host asks for.
#include "canvas/logo/logo_renderer.h"
#include "canvas/logo/imported_fonts.h"
#include "canvas/editor/editor_widget.h"
#include "canvas/fonts/font_box.h"
#include "canvas/fonts/font_import_dialog.h"
#include "canvas_test_support.h"
#include "font_movie_support.h"

#include <QAbstractItemView>
#include <QPainter>
#include <gtest/gtest.h>

namespace vm::test {
namespace {

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

TEST(ImportedFonts, LoadsListedMoviesAndFallsBackWithOneLineForEachBadOne)
{
    QTemporaryDir root;
    QDir().mkpath(root.path() + QStringLiteral("/flash"));
    ASSERT_FALSE(compileFontMovie(QStringLiteral("Lato Movie"), latoFile(), root.path() + QStringLiteral("/flash")).isEmpty());
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

    // The lookup follows a later load: a list without movies leaves only fallbacks.
    writeText(root.path() + QStringLiteral("/datasrc/Font_user.xml"), "<userfonts><font name='Gone'/>");
    fonts.load(root.path(), {});
    EXPECT_TRUE(fonts.names().isEmpty()); // not well-formed: no list at all
    EXPECT_FALSE(lookup(QStringLiteral("Lato Movie"), 20, false, false));
}

TEST(ImportedFonts, ListWithAddsTheFaceOnceAndEscapesIt)
{
    QTemporaryDir root;
    writeText(root.path() + QStringLiteral("/datasrc/Font_user.xml"), listOf({"Arial"}).toUtf8());
    ImportedFonts fonts;
    fonts.load(root.path(), {});
    EXPECT_EQ(fonts.listWith(QStringLiteral("Arial")), listOf({"Arial"}));
    EXPECT_EQ(fonts.listWith(QStringLiteral("Tom's \"Bold\" <AndCo>")),
              listOf({"Arial", "Tom's &quot;Bold&quot; &lt;AndCo>"}));
}

class FontBoxTest : public LoadedCanvasTest {};

// The editor with the font box open and its import list beside it, for the eye.
void saveScreenshot(EditorWidget& widget, FontBox& box, const QString& path)
{
    box.openImport();
    settle();
    QWidget* list = box.importDialog();
    QImage shot(widget.width() + list->width() + 10, std::max(widget.height(), list->height()), QImage::Format_RGB32);
    shot.fill(Qt::white);
    QPainter painter(&shot);
    painter.drawPixmap(0, 0, widget.grab());
    painter.drawPixmap(widget.width() + 10, 0, list->grab());
    box.showPopup();
    settle();
    painter.drawPixmap(box.mapTo(&widget, QPoint(0, box.height())), box.view()->grab());
    box.hidePopup();
    list->close();
    painter.end();
    shot.save(path);
}

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
    saveScreenshot(*widget, *box, QStringLiteral(VM_CANVAS_BUILD_DIR "/font_box_import.png"));

    // A second import keeps the first in the list it sends.
    driver.canvas.importFont(QStringLiteral("Zeta"));
    settle();
    EXPECT_EQ(driver.take(), QStringList({QStringLiteral("importfonts|Zeta") + ae + listOf({"Lato Import", "Zeta"})}));
    widget->hide();
}

TEST_F(FontBoxTest, AMissingMovieDrawsTheFaceInTheFallbackAndTheNextStartLoadsTheList)
{
    writeText(root.path() + QStringLiteral("/datasrc/Font_user.xml"), listOf({"Nowhere"}).toUtf8());
    driver.send(QStringLiteral("loaduserfonts"), QStringLiteral("True"));
    EXPECT_EQ(driver.canvas.userFonts().names(), QStringList({"Nowhere"}));
    EXPECT_TRUE(driver.canvas.userFonts().loadedFamilies().isEmpty());
    driver.canvas.editor().addText(QStringLiteral("Fallback"), QStringLiteral("Nowhere"), 40);
    const QImage drawn = driver.canvas.logoRenderer().render(logo(), 1.0, Qt::white);
    EXPECT_GT(compareInk(drawn, drawn).ink, 200);

    // A new run of the canvas reads the stored list when its movie loads.
    CanvasDriver next;
    next.load(root.path() + QStringLiteral("/flash/LogoMain.swf"));
    EXPECT_EQ(next.canvas.userFonts().names(), QStringList({"Nowhere"}));
}

} // namespace
} // namespace vm::test
