#include "tests/e2e/session_runner.h"

#include <QImage>
#include <QRegularExpression>

namespace vm::e2e {
namespace {

const QByteArray ae = QString(QChar(0x00E6)).toUtf8();

// The real program with the real canvas: a picture is uploaded, cropped by the
// converter and published; a keyword goes into the shipped library.
class ResourcesSession : public ::testing::Test {
protected:
    void SetUp() override
    {
        useRealCanvasAndOwnPrinter(program);
        QDir().mkpath(program.root_path() + QStringLiteral("/out"));
    }
    QString path(const QString& relative) const { return program.root_path() + QLatin1Char('/') + relative; }
    QStringList uploads() const { return QDir(program.installRoot() + QStringLiteral("LogoImages")).entryList(QDir::Files); }

    InstalledProgram program;
};

bool mostlyColour(const QImage& image, QRgb wanted, QRgb unwanted, int& wantedCount, int& unwantedCount)
{
    wantedCount = unwantedCount = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y) & 0xffffff;
            wantedCount += pixel == (wanted & 0xffffff);
            unwantedCount += pixel == (unwanted & 0xffffff);
        }
    return wantedCount > 0;
}

TEST_F(ResourcesSession, APictureIsUploadedCroppedAndPublished)
{
    // Left half red, right half blue: the crop keeps a part of the red half only.
    QImage photo(200, 100, QImage::Format_RGB32);
    photo.fill(Qt::blue);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            photo.setPixel(x, y, qRgb(255, 0, 0));
    ASSERT_TRUE(photo.save(path(QStringLiteral("my \"best\" photo.png")), "PNG"));

    const QByteArray script = "wait ready\n"
                              "answer openfile \"" + path(QStringLiteral("my \\\"best\\\" photo.png")).toUtf8() + "\"\n"
                              "canvas \"fnbrowseimage\" \"\"\n"
                              "wait 300\n"
                              "canvas \"cropimage\" \"0" + ae + "0" + ae + "40" + ae + "40" + ae + ae + "50\"\n"
                              "wait 300\n"
                              "dump state\n"
                              "answer savefile \"" + path(QStringLiteral("out/logo.png")).toUtf8() + "\"\n"
                              "answer alert \"ok\"\n"
                              "menu \"mnuPublishPNG100%\"\n"
                              "wait idle\n";
    const auto result = program.run(script, QString(), 60000);
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
    const QString transcript = result.transcript.join(QLatin1Char('\n'));
    EXPECT_TRUE(program.errorLog().isEmpty()) << program.errorLog().toStdString();

    // The upload under its time-stamped name and its crop beside it.
    const QStringList files = uploads();
    ASSERT_EQ(files.size(), 2) << files.join(QLatin1Char(',')).toStdString();
    const QString uploaded = files.filter(QRegularExpression(QStringLiteral("^\\d+my \"best\" photo.png$"))).value(0);
    ASSERT_FALSE(uploaded.isEmpty()) << files.join(QLatin1Char(',')).toStdString();
    EXPECT_TRUE(transcript.contains(QStringLiteral("toFlash \"resultimage\" \"%1\"").arg(QString(uploaded).replace('"', "\\\""))))
        << transcript.toStdString();
    EXPECT_TRUE(transcript.contains(QStringLiteral("state CurrentImageName \"CI%1\"").arg(QString(uploaded).replace('"', "\\\""))))
        << transcript.toStdString();
    const QImage cropped(program.installRoot() + QStringLiteral("LogoImages/CI") + uploaded);
    EXPECT_EQ(cropped.size(), QSize(40, 40));

    // The published logo shows the cropped picture: red, no blue.
    const QImage logo(path(QStringLiteral("out/logo.png")));
    ASSERT_FALSE(logo.isNull()) << transcript.toStdString();
    int red = 0, blue = 0;
    mostlyColour(logo, qRgb(255, 0, 0), qRgb(0, 0, 255), red, blue);
    EXPECT_GT(red, 1000);
    EXPECT_EQ(blue, 0) << transcript.toStdString();
}

TEST_F(ResourcesSession, AKeywordGoesIntoTheLibraryAndAnUploadRefusesOtherContent)
{
    QFile fake(path(QStringLiteral("fake.png")));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("%!PS-Adobe-3.0\nshowpage\n");
    fake.close();
    const QByteArray script = "wait ready\n"
                              "canvas \"add keyword\" \"Commerce" + ae + "coffee" + ae + "morning\"\n"
                              "answer openfile \"" + path(QStringLiteral("fake.png")).toUtf8() + "\"\n"
                              "canvas \"fnbrowseimage\" \"\"\n";
    const auto result = program.run(script);
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
    const QString transcript = result.transcript.join(QLatin1Char('\n'));
    const QString list = program.installRoot() + QStringLiteral("datasrc/ClipArts/Commerce/Commerce.xml");
    EXPECT_TRUE(transcript.contains(QStringLiteral("toFlash \"result keyword\" \"%1\"").arg(list))) << transcript.toStdString();
    EXPECT_TRUE(transcript.contains(QStringLiteral("dialog frmAlert \"Keyword has been added successfully.\" owner=frmMain")))
        << transcript.toStdString();
    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    EXPECT_TRUE(written.contains("maps &amp; travel,morning</Keywords>")) << written.left(600).toStdString();
    EXPECT_TRUE(written.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    EXPECT_TRUE(transcript.contains(QStringLiteral("msgbox \"Only .jpeg, .gif, .jpg or .png files are allowed to upload.\"")))
        << transcript.toStdString();
    EXPECT_TRUE(uploads().isEmpty());
}

} // namespace
} // namespace vm::e2e
