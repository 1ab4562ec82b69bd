#include "publish/magick_setup.h"

#include "artwork/raster_policy.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vm {
namespace {

// A printed page as the print-to-file printer leaves it: an EPS file.
QString writeEps(const QString& folder, const QString& configFolder)
{
    QImage page(200, 160, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter(&page).fillRect(20, 20, 100, 80, Qt::blue);
    const QString png = folder + QStringLiteral("/page.png");
    page.save(png);
    const QString eps = folder + QStringLiteral("/page.eps");
    QProcess convert;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configFolder);
    convert.setProcessEnvironment(environment);
    convert.start(QStringLiteral("/usr/bin/convert"), {png, eps});
    convert.waitForFinished(30000);
    return eps;
}

TEST(MagickSetupTest, ConverterAndInPlaceConversionReadPostScript)
{
    QTemporaryDir folder;
    const QString config = MagickSetup::prepareConfigFolder(folder.path() + QStringLiteral("/config"));
    ASSERT_FALSE(config.isEmpty());
    const QString eps = writeEps(folder.path(), config);
    ASSERT_TRUE(QFile::exists(eps));

    const QString target = folder.path() + QStringLiteral("/logo.png");
    ASSERT_EQ(MagickSetup::convertInPlace({eps, target}), QString());
    ASSERT_EQ(MagickSetup::convertInPlace({target, QStringLiteral("-resize"), QStringLiteral("50x40"), target}), QString());
    EXPECT_EQ(QImage(target).size(), QSize(50, 40));

    EXPECT_FALSE(MagickSetup::convertInPlace({folder.path() + QStringLiteral("/none.png"), target}).isEmpty());
    EXPECT_EQ(QImage(target).size(), QSize(50, 40));
}

// The program folder ships both converter policies as the start would write
// them, so a read-only install uses them in place and never writes at start.
TEST(MagickSetupTest, TheShippedPoliciesAreTheOnesTheStartWouldWrite)
{
    const QString program = QStringLiteral(VM_PROGRAM_DIR);
    for (const auto& [folder, wanted] : {std::pair{program + "/bin/config", MagickSetup::policyXml()},
                                         std::pair{raster_policy::folder(program), raster_policy::policyXml()}}) {
        QFile shipped(folder + "/ImageMagick/policy.xml");
        ASSERT_TRUE(shipped.open(QIODevice::ReadOnly)) << folder.toStdString();
        EXPECT_EQ(shipped.readAll(), wanted.toUtf8()) << folder.toStdString();
    }
}

} // namespace
} // namespace vm
