#include "export/brand_pack.h"
#include "export/ico_file.h"
#include "tests/unit/export/export_test_support.h"

#include <QImageReader>
#include <QStandardPaths>

namespace vm::export_test {
namespace {

class BrandPackTest : public ExportFixture {
protected:
    QString packFolder() const { return path(QStringLiteral("pack")); }
    QStringList filesInPack() const
    {
        return QDir(packFolder()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
    bool ghostscript() const { return !QStandardPaths::findExecutable(QStringLiteral("gs")).isEmpty(); }
};

TEST_F(BrandPackTest, WritesEveryFileAtItsSizeAndThePageListsThem)
{
    QDir().mkpath(packFolder());
    BrandPack pack(logo, renderer, packFolder());
    if (!ghostscript())
        GTEST_SKIP() << "Ghostscript is not installed";
    ASSERT_TRUE(pack.run()) << pack.error().reason.toStdString();
    QStringList expected = BrandPack::fileNames();
    expected.sort();
    EXPECT_EQ(filesInPack(), expected);

    const QList<QPair<const char*, QSize>> sizes = {
        {"logo.png", {400, 200}},           {"logo-1024.png", {1024, 512}}, {"logo-512.png", {512, 256}},
        {"logo-transparent.png", {400, 200}}, {"logo-black.png", {400, 200}}, {"logo-white.png", {400, 200}},
        {"apple-touch-icon.png", {180, 180}}, {"icon-192.png", {192, 192}},   {"icon-512.png", {512, 512}},
        {"social-avatar.png", {400, 400}},  {"social-banner.png", {1200, 630}},
    };
    for (const auto& [name, size] : sizes) {
        QImageReader reader(path(QStringLiteral("pack/") + QLatin1String(name)));
        EXPECT_EQ(reader.format(), "png") << name;
        EXPECT_EQ(reader.size(), size) << name;
    }
    const auto image = [&](const char* name) { return QImage(path(QStringLiteral("pack/") + QLatin1String(name))); };
    // See-through where the stage is empty, the logo's own yellow elsewhere.
    EXPECT_EQ(image("logo-transparent.png").pixelColor(1, 1).alpha(), 0);
    EXPECT_EQ(image("logo.png").pixelColor(1, 1), QColor(QStringLiteral("#ffff00")));
    // One colour on clear: the symbol's middle is black, or white, and opaque.
    EXPECT_EQ(image("logo-black.png").pixelColor(310, 130), QColor(Qt::black));
    EXPECT_EQ(image("logo-white.png").pixelColor(310, 130), QColor(Qt::white));
    EXPECT_EQ(image("logo-black.png").pixelColor(1, 1).alpha(), 0);
    // Icons: the drawn part centred, so the padding shows the background.
    EXPECT_EQ(image("icon-512.png").pixelColor(5, 256), QColor(QStringLiteral("#ffff00")));

    EXPECT_EQ(ico_file::entrySizes(readFile(path(QStringLiteral("pack/favicon.ico")))),
              (QList<QSize>{{16, 16}, {32, 32}, {48, 48}}));
    EXPECT_TRUE(readFile(path(QStringLiteral("pack/logo.svg"))).contains("<svg"));
    EXPECT_TRUE(readFile(path(QStringLiteral("pack/logo.pdf"))).startsWith("%PDF-"));
    EXPECT_TRUE(readFile(path(QStringLiteral("pack/logo.eps"))).startsWith("%!PS-Adobe-3.0 EPSF-3.0"));

    const QString page = QString::fromUtf8(readFile(path(QStringLiteral("pack/brand-pack.html"))));
    for (const QString& name : BrandPack::fileNames()) {
        if (name != QLatin1String("brand-pack.html")) {
            EXPECT_TRUE(page.contains(QStringLiteral("href=\"%1\"").arg(name))) << name.toStdString();
        }
    }
    EXPECT_TRUE(page.contains(QStringLiteral("1200x630")));
    EXPECT_TRUE(page.contains(QStringLiteral("16x16, 32x32, 48x48")));
    const QString pngBytes = QLocale(QLocale::English).toString(QFileInfo(path(QStringLiteral("pack/logo.png"))).size());
    EXPECT_TRUE(page.contains(QStringLiteral(">") + pngBytes + QStringLiteral("<")));
    for (const char* colour : {"#FFFF00", "#FF0000", "#0000FF"})
        EXPECT_TRUE(page.contains(QLatin1String(colour))) << colour;
    EXPECT_TRUE(page.contains(QStringLiteral("DejaVu Sans")));
}

TEST_F(BrandPackTest, AStopOrARefusalLeavesTheFolderAsItWas)
{
    test::writeFile(packFolder() + QStringLiteral("/logo.png"), "the previous pack's");
    const auto before = test::folderSnapshot(folder.path());
    BrandPack pack(logo, renderer, packFolder());
    int asked = 0;
    EXPECT_FALSE(pack.run([&] { return ++asked <= 5; }));
    EXPECT_EQ(pack.stepsDone(), 5);
    EXPECT_EQ(test::folderSnapshot(folder.path()), before) << "no new file beside the old, no unfinished copy";
    EXPECT_FALSE(pack.runNextStep()) << "an abandoned pack does not start again";

    // A folder where the icon should go: not a pack's, so it is never replaced.
    QDir().mkpath(packFolder() + QStringLiteral("/favicon.ico"));
    EXPECT_TRUE(BrandPack::folderProblem(packFolder()).contains(QStringLiteral("favicon.ico")));
    const auto occupied = test::folderSnapshot(folder.path());
    BrandPack refused(logo, renderer, packFolder());
    EXPECT_FALSE(refused.run());
    EXPECT_TRUE(refused.error().reason.contains(QStringLiteral("not part of a brand pack"))) << refused.error().reason.toStdString();
    EXPECT_EQ(refused.stepsDone(), 0);
    EXPECT_EQ(test::folderSnapshot(folder.path()), occupied);

    // Checking a new folder, even one whose parents are missing, creates nothing.
    EXPECT_TRUE(BrandPack::folderProblem(path(QStringLiteral("no/such/pack"))).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("no"))));
}

TEST(BrandPackPalette, ColoursOnceEachWithGroupsAndTheDefaultFont)
{
    LogoDocument logo;
    logo.background = QColor(Qt::white);
    LogoElement text;
    text.kind = ElementKind::Text;
    text.color = QColor(0x12, 0x34, 0x56);
    LogoElement group;
    group.kind = ElementKind::Group;
    LogoElement inner = text;
    inner.fontFamily = QStringLiteral("Serif Pro");
    group.children = {inner, text};
    logo.elements = {text, group};
    EXPECT_EQ(BrandPack::palette(logo), (QStringList{QStringLiteral("#FFFFFF"), QStringLiteral("#123456")}));
    EXPECT_EQ(BrandPack::fonts(logo), (QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("Serif Pro")}));
}

} // namespace
} // namespace vm::export_test
