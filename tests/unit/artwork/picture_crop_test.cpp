#include "tests/unit/artwork/artwork_fixture.h"

#include "platform/system/linux_process_runner.h"
#include "artwork/raster_policy.h"

namespace vm::test {
namespace {

const QString failed = QStringLiteral("The picture could not be cropped. owner=frmMain");

class PictureCropTest : public ResourcesFixture {
protected:
    void SetUp() override
    {
        ResourcesFixture::SetUp();
        start();
    }
    void crop(const QString& argument) { canvasSays(QStringLiteral("cropimage"), argument); }
    QString converter() const { return programFolder + QStringLiteral("/bin/convert"); }
    // The words of each converter run, as the runner splits them.
    QList<QStringList> runs() const
    {
        QList<QStringList> words;
        for (const QString& line : fakeConverter.commandLines)
            words.append(splitCommandLine(line));
        return words;
    }
};

TEST_F(PictureCropTest, ANamedPictureIsCroppedIntoANewTimeStampedFile)
{
    now = QDateTime(QDate(2026, 12, 5), QTime(9, 5, 7));
    crop(QStringLiteral("10.5px") + ae + "abc" + ae + "100" + ae + "200" + ae + "  pic.png " + ae + "50%");
    const QString target = imageFolder() + QStringLiteral("957pic.png");
    EXPECT_EQ(runs(), QList<QStringList>({{converter(), "-quality", "100", "-scale", "50%", "-crop", "200x100+10.5+0",
                                           imageFolder() + "pic.png", target}}));
    EXPECT_EQ(fakeConverter.folders, QStringList({programFolder}));
    EXPECT_EQ(host->state.imageFolder, imageFolder());
    EXPECT_EQ(host->state.currentImageName, QStringLiteral("957pic.png"));
    EXPECT_EQ(sentCommands(), QStringList({"cropedimage|957pic.png"}));

    // Without a source the current picture is cropped again into "CI" + its name.
    crop(QStringLiteral("1") + ae + "2" + ae + "3" + ae + "4" + ae + "" + ae + "25");
    EXPECT_EQ(runs().value(1), QStringList({converter(), "-quality", "100", "-scale", "25%", "-crop", "4x3+1+2", target,
                                            imageFolder() + "CI957pic.png"}));
    EXPECT_EQ(sentCommands().value(1), QStringLiteral("cropedimage|CI957pic.png"));
    EXPECT_TRUE(alerts().isEmpty());
    EXPECT_TRUE(loggedLabels().isEmpty());
}

TEST_F(PictureCropTest, AShortRequestCropsTheDefaultAreaAtFullScale)
{
    host->state.currentImageName = QStringLiteral("5122026182703logo.png");
    crop(QStringLiteral("1") + ae + "2");
    EXPECT_EQ(runs(), QList<QStringList>({{converter(), "-quality", "100", "-scale", "100%", "-crop", "507x397+34+6",
                                           imageFolder() + "5122026182703logo.png", imageFolder() + "CI5122026182703logo.png"}}));
    EXPECT_EQ(sentCommands(), QStringList({"cropedimage|CI5122026182703logo.png"}));
}

TEST_F(PictureCropTest, AnEmptyRequestSkipsTheWorkButStillAnswers)
{
    host->state.currentImageName = QStringLiteral("a.png");
    crop(QString());
    EXPECT_TRUE(fakeConverter.commandLines.isEmpty());
    EXPECT_EQ(sentCommands(), QStringList({"cropedimage|a.png"}));
}

TEST_F(PictureCropTest, AFileTheConverterDidNotWriteIsReportedAndNotSent)
{
    host->state.currentImageName = QStringLiteral("a.png");
    fakeConverter.produce = false;
    crop(QStringLiteral("0") + ae + "0" + ae + "10" + ae + "10" + ae + "b.png" + ae + "100");
    crop(QStringLiteral("0") + ae + "0" + ae + "10" + ae + "10" + ae + "" + ae + "100");
    EXPECT_EQ(fakeConverter.commandLines.size(), 2);
    EXPECT_TRUE(sentCommands().isEmpty());
    EXPECT_EQ(host->state.currentImageName, QStringLiteral("a.png"));
    EXPECT_EQ(alerts(), QStringList({failed, failed}));
    EXPECT_EQ(loggedLabels(), QStringList(2, "log \"frmMain\\\\SaveCropedImage\""));

    // A result left from an earlier crop in the same second does not count as written.
    fakeConverter.produce = true;
    crop(QStringLiteral("0") + ae + "0" + ae + "10" + ae + "10" + ae + "b.png" + ae + "100");
    fakeConverter.produce = false;
    crop(QStringLiteral("0") + ae + "0" + ae + "10" + ae + "10" + ae + "b.png" + ae + "100");
    EXPECT_EQ(sentCommands(), QStringList({"cropedimage|18273b.png"}));
    EXPECT_EQ(alerts().size(), 3);
}

// 1:23:4 and 12:3:4 give the same digits: the later crop gets a counter and
// the earlier one, which a saved logo may use, stays as it was.
TEST_F(PictureCropTest, ACropNeverReplacesAnEarlierPictureOfTheSameName)
{
    now = QDateTime(QDate(2026, 12, 5), QTime(1, 23, 4));
    crop(QStringLiteral("0") + ae + "0" + ae + "10" + ae + "10" + ae + "pic.png" + ae + "100");
    const QByteArray earlier = readFile(imageFolder() + QStringLiteral("1234pic.png"));
    ASSERT_FALSE(earlier.isEmpty());
    fakeConverter.colour = Qt::blue;
    now = QDateTime(QDate(2026, 12, 5), QTime(12, 3, 4));
    crop(QStringLiteral("0") + ae + "0" + ae + "10" + ae + "10" + ae + "pic.png" + ae + "100");
    // Cropped again twice: each result is a file of its own.
    crop(QStringLiteral("0") + ae + "0" + ae + "5" + ae + "5" + ae + "" + ae + "100");
    host->state.currentImageName = QStringLiteral("1234pic-2.png");
    crop(QStringLiteral("0") + ae + "0" + ae + "5" + ae + "5" + ae + "" + ae + "100");
    EXPECT_EQ(sentCommands(), QStringList({"cropedimage|1234pic.png", "cropedimage|1234pic-2.png",
                                           "cropedimage|CI1234pic-2.png", "cropedimage|CI1234pic-2-2.png"}));
    EXPECT_EQ(readFile(imageFolder() + QStringLiteral("1234pic.png")), earlier);
    EXPECT_NE(readFile(imageFolder() + QStringLiteral("1234pic-2.png")), earlier);
    EXPECT_TRUE(alerts().isEmpty());
}

// The real converter under the raster-only policy.
class RealCropTest : public ResourcesFixture {
protected:
    void SetUp() override
    {
        ResourcesFixture::SetUp();
        if (!QFileInfo::exists(QStringLiteral("/usr/bin/convert")))
            GTEST_SKIP() << "ImageMagick is not installed";
        QDir().mkpath(programFolder + QStringLiteral("/bin"));
        QFile::link(QStringLiteral("/usr/bin/convert"), programFolder + QStringLiteral("/bin/convert"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const QString config = raster_policy::prepare(raster_policy::folder(programFolder));
        ASSERT_FALSE(config.isEmpty());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        runner.setProgramEnvironment(programFolder + QStringLiteral("/bin/convert"), environment);
        start(runner);
    }
    void crop(const QString& source)
    {
        canvasSays(QStringLiteral("cropimage"), QStringLiteral("5") + ae + "5" + ae + "20" + ae + "30" + ae + source + ae + "50");
    }
    LinuxProcessRunner runner;
};

TEST_F(RealCropTest, APictureWithQuotesInItsNameIsCroppedAndScaled)
{
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(imageFolder() + QStringLiteral("a \"b\".png"), "PNG"));
    crop(QStringLiteral("a \"b\".png"));
    ASSERT_EQ(sentCommands(), QStringList({"cropedimage|18273a \"b\".png"}));
    const QImage cropped(imageFolder() + QStringLiteral("18273a \"b\".png"));
    EXPECT_EQ(cropped.size(), QSize(30, 20));
    EXPECT_EQ(cropped.pixelColor(3, 3), QColor(Qt::red));
}

TEST_F(RealCropTest, PostScriptUnderAPictureNameIsNeverRun)
{
    const QString marker = root.path() + QStringLiteral("/ran");
    writeFile(imageFolder() + QStringLiteral("photo.png"),
              "%!PS\n(" + marker.toUtf8() + ") (w) file closefile\n/Helvetica findfont 20 scalefont setfont 10 10 moveto (x) show showpage\n");
    crop(QStringLiteral("photo.png"));
    EXPECT_TRUE(sentCommands().isEmpty());
    EXPECT_EQ(alerts(), QStringList({failed}));
    EXPECT_FALSE(QFileInfo::exists(marker));
    EXPECT_FALSE(QFileInfo::exists(imageFolder() + QStringLiteral("18273photo.png")));
}

} // namespace
} // namespace vm::test
