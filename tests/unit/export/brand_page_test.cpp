#include "export/brand_pack.h"
#include "tests/unit/export/export_test_support.h"

#include <QRegularExpression>

namespace vm::export_test {
namespace {

// The fixture's logo (a red "Acme" beside a blue star on yellow) packed with
// the program's own fonts beside its data folder.
class BrandPageTest : public ExportFixture {
protected:
    void SetUp() override
    {
        ExportFixture::SetUp();
        ASSERT_TRUE(QFile::link(QStringLiteral(VM_SOURCE_DIR "/data/fonts"), path(QStringLiteral("fonts"))));
        logo.elements[0].fontFamily = QStringLiteral("Lato");
    }
    QString pack(const QString& name = QStringLiteral("pack"))
    {
        BrandPack brand(logo, renderer, path(name));
        EXPECT_TRUE(brand.run()) << brand.error().reason.toStdString();
        return path(name) + QLatin1Char('/');
    }
    // The part of an icon drawn in colours near colour.
    static QRect partIn(const QImage& icon, const QColor& colour)
    {
        QRect part;
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x) {
                const QColor pixel = icon.pixelColor(x, y);
                if (pixel.alpha() > 200 && std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green())
                                                   + std::abs(pixel.blue() - colour.blue()) < 60)
                    part |= QRect(x, y, 1, 1);
            }
        return part;
    }
};

TEST_F(BrandPageTest, IconsShowTheMarkAloneOrElseTheInitialAndThePageSaysWhich)
{
    const QString withMark = pack();
    for (const char* name : {"apple-touch-icon.png", "icon-192.png", "icon-512.png", "social-avatar.png"}) {
        const QImage icon(withMark + QLatin1String(name));
        EXPECT_TRUE(partIn(icon, Qt::red).isEmpty()) << name << ": the name is left out";
        const QRect star = partIn(icon, Qt::blue);
        EXPECT_GT(star.width(), icon.width() / 2) << name << ": the star fills the icon";
        EXPECT_NEAR(star.center().x(), icon.width() / 2, icon.width() / 20) << name;
        EXPECT_EQ(icon.pixelColor(2, 2), QColor(Qt::yellow)) << name << ": on the logo's ground";
    }
    EXPECT_TRUE(readFile(withMark + QStringLiteral("brand-pack.html")).contains("the logo's mark alone"));

    // Without the star: the initial, a letter as high as it is wide, in the text's red.
    logo.elements.pop_back();
    logo.background = QColor(0, 0, 0, 0);
    const QString textOnly = pack(QStringLiteral("text-only"));
    const QImage icon(textOnly + QStringLiteral("icon-512.png"));
    const QRect letter = partIn(icon, Qt::red);
    ASSERT_FALSE(letter.isEmpty());
    EXPECT_LT(letter.width(), letter.height() * 1.3) << "one letter, not the word";
    EXPECT_GT(letter.height(), icon.height() / 2);
    EXPECT_EQ(icon.pixelColor(2, 2).alpha(), 0) << "see-through stays see-through";
    EXPECT_EQ(QImage(textOnly + QStringLiteral("apple-touch-icon.png")).pixelColor(2, 2), QColor(Qt::white))
        << "a home-screen icon cannot be see-through";
    EXPECT_TRUE(QString::fromUtf8(readFile(textOnly + QStringLiteral("brand-pack.html"))).contains(QStringLiteral("initial \u201cA\u201d")));
}

TEST_F(BrandPageTest, ThePageOpensOfflineWithTheShippedFontsAndColourValues)
{
    const QString folder = pack();
    const QString page = QString::fromUtf8(readFile(folder + QStringLiteral("brand-pack.html")));
    // Everything the page links or shows is a file of the pack.
    static const QRegularExpression reference(QStringLiteral(R"re((?:src|href)="([^"]*)"|url\("?([^")]*)"?\))re"));
    QStringList named;
    for (const QRegularExpressionMatch& match : reference.globalMatch(page)) {
        const QString target = match.captured(1) + match.captured(2);
        named.append(target);
        EXPECT_TRUE(QFileInfo(folder + target).isFile() && !target.contains(QLatin1Char(':')) && !target.startsWith(QLatin1Char('/')))
            << target.toStdString();
    }
    for (const char* file : {"fonts/Lato-Regular.ttf", "fonts/Lato-Bold.ttf", "fonts/OFL.txt", "logo-white.png"})
        EXPECT_TRUE(named.contains(QLatin1String(file))) << file;
    EXPECT_EQ(readFile(folder + QStringLiteral("fonts/Lato-Regular.ttf")), readFile(QStringLiteral(VM_SOURCE_DIR "/data/fonts/Lato-Regular.ttf")));
    EXPECT_TRUE(page.contains(QStringLiteral("@font-face{font-family:\"Lato\";src:url(\"fonts/Lato-Regular.ttf\")")));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("fonts/Comfortaa-Regular.ttf"))) << "only the logo's fonts";
    // Red as a print shop reads it, beside its hex and RGB values.
    EXPECT_TRUE(page.contains(QStringLiteral("<dd>#FF0000</dd><dt>RGB</dt><dd>255 0 0</dd><dt>CMYK</dt><dd>0 100 100 0</dd>")));

    // The fonts folder is the pack's own: a new pack replaces it, a stranger in it stops that.
    pack();
    test::writeFile(folder + QStringLiteral("fonts/notes.doc"), "mine");
    EXPECT_TRUE(BrandPack::folderProblem(path(QStringLiteral("pack"))).contains(QStringLiteral("fonts/notes.doc")));
}

} // namespace
} // namespace vm::export_test
