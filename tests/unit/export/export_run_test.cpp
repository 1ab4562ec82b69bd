#include "export/export_run.h"
#include "tests/unit/export/export_test_support.h"

#include <QImageReader>

namespace vm::export_test {
namespace {

class ExportRunTest : public ExportFixture {
protected:
    ExportRunResult run(const QString& project, const QString& out, ExportOptions options = {}, bool brandPack = false)
    {
        return runExport({project, out, brandPack, options}, renderer.resources());
    }
};

TEST_F(ExportRunTest, BadInputIsRefusedInOneLineAndTouchesNoFile)
{
    const QString project = writeProject(QStringLiteral("logo.vmp"));
    QFile damaged(path(QStringLiteral("damaged.vmp")));
    damaged.open(QIODevice::WriteOnly);
    damaged.write("<VantamorphLogo version=\"1\"><text");
    damaged.close();
    QFile existing(path(QStringLiteral("old.png")));
    existing.open(QIODevice::WriteOnly);
    existing.write("the user's old picture");
    existing.close();
    QDir().mkpath(path(QStringLiteral("a-folder.png")));

    ExportOptions clearAndRed;
    clearAndRed.transparent = true;
    clearAndRed.background = Qt::red;
    struct Case {
        const char* what;
        QString project;
        QString out;
        ExportOptions options;
        bool brandPack;
        const char* named; // a word the message must hold
    };
    const QList<Case> cases = {
        {"missing project", path(QStringLiteral("gone.vmp")), path(QStringLiteral("x.png")), {}, false, "gone.vmp"},
        {"damaged project", damaged.fileName(), path(QStringLiteral("old.png")), {}, false, "damaged"},
        {"not a logo", existing.fileName(), path(QStringLiteral("x.png")), {}, false, "old.png"},
        {"unknown extension", project, path(QStringLiteral("x.bmp")), {}, false, "bmp"},
        {"no extension", project, path(QStringLiteral("x")), {}, false, "extension"},
        {"missing folder", project, path(QStringLiteral("no/such/x.png")), {}, false, "does not exist"},
        {"target is a folder", project, path(QStringLiteral("a-folder.png")), {}, false, "folder"},
        {"too wide", project, path(QStringLiteral("old.png")), sized(20001, 0), false, "20000"},
        {"too wide once scaled", project, path(QStringLiteral("old.png")), sized(0, 12000), false, "24000x12000"},
        {"negative height", project, path(QStringLiteral("old.png")), sized(0, -5), false, "height"},
        {"clear and coloured", project, path(QStringLiteral("old.png")), clearAndRed, false, "background"},
        {"pack into a file", project, existing.fileName(), {}, true, "not a folder"},
        {"pack inside a file", project, existing.fileName() + QStringLiteral("/pack"), {}, true, "cannot be created"},
        {"pack with picture options", project, path(QStringLiteral("pack")), sized(100, 0), true, "--export"},
    };
    for (const Case& test : cases) {
        const auto before = test::folderSnapshot(folder.path());
        const ExportRunResult result = run(test.project, test.out, test.options, test.brandPack);
        EXPECT_NE(result.exitCode, 0) << test.what;
        EXPECT_TRUE(result.message.contains(QLatin1String(test.named))) << test.what << ": " << result.message.toStdString();
        EXPECT_FALSE(result.message.contains(QLatin1Char('\n'))) << test.what;
        EXPECT_EQ(test::folderSnapshot(folder.path()), before) << test.what;
    }
    EXPECT_TRUE(logo_export::checkOptions(logo, sized(20000, 0)).isEmpty()) << "the limit itself is allowed";
}

TEST_F(ExportRunTest, BrandPackGoesIntoANewFolder)
{
    const QString project = writeProject(QStringLiteral("logo.vmp"));
    const ExportRunResult result = run(project, path(QStringLiteral("new/pack")), {}, true);
    if (result.exitCode != 0 && result.message.contains(QStringLiteral("Ghostscript")))
        GTEST_SKIP() << "Ghostscript is not available";
    EXPECT_EQ(result.exitCode, 0) << result.message.toStdString();
    EXPECT_EQ(QImageReader(path(QStringLiteral("new/pack/social-banner.png"))).size(), QSize(1200, 630));
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("new/pack/brand-pack.html"))));
}

} // namespace
} // namespace vm::export_test
