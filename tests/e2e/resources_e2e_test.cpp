#include "tests/e2e/session_runner.h"

#include <QImage>
#include <QRegularExpression>

namespace vm::e2e {
namespace {

const QByteArray ae = QString(QChar(0x00E6)).toUtf8();

// The real program with the real canvas: a keyword goes into the shipped
// library, an upload of other content is refused, and a picture is uploaded,
// cropped by the converter and published.
TEST(ResourcesSession, AKeywordGoesIntoTheLibraryAndAPictureIsUploadedCroppedAndPublished)
{
    InstalledProgram program;
    useRealCanvasAndOwnPrinter(program);
    const auto path = [&](const QString& relative) { return program.root_path() + QLatin1Char('/') + relative; };
    QDir().mkpath(path(QStringLiteral("out")));
    writeFile(path(QStringLiteral("fake.png")), "%!PS-Adobe-3.0\nshowpage\n");
    // Left half red, right half blue: the crop keeps a part of the red half only.
    QImage photo(200, 100, QImage::Format_RGB32);
    photo.fill(Qt::blue);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            photo.setPixel(x, y, qRgb(255, 0, 0));
    ASSERT_TRUE(photo.save(path(QStringLiteral("my \"best\" photo.png")), "PNG"));

    const QByteArray script = "wait ready\ncanvas \"add keyword\" \"Commerce" + ae + "coffee" + ae + "morning\"\n"
                              "answer openfile " + quoted(path(QStringLiteral("fake.png"))) + "\ncanvas \"fnbrowseimage\" \"\"\n"
                              "answer openfile " + quoted(path(QStringLiteral("my \"best\" photo.png")))
                              + "\ncanvas \"fnbrowseimage\" \"\"\nwait 300\n"
                                "canvas \"cropimage\" \"0" + ae + "0" + ae + "40" + ae + "40" + ae + ae + "50\"\nwait 300\ndump state\n"
                                "answer savefile " + quoted(path(QStringLiteral("out/logo.png")))
                              + "\nanswer alert \"ok\"\nmenu \"mnuPublishPNG100%\"\nwait idle\n";
    const auto result = program.run(script, QString(), 60000);
    ASSERT_EQ(result.exitCode, 0) << result.shown();
    const QString transcript = result.transcript.join(QLatin1Char('\n'));
    EXPECT_TRUE(program.errorLog().isEmpty()) << program.errorLog().toStdString();

    const QString list = program.installRoot() + QStringLiteral("datasrc/ClipArts/Commerce/Commerce.xml");
    EXPECT_TRUE(transcript.contains(QStringLiteral("toFlash \"result keyword\" \"%1\"").arg(list))) << transcript.toStdString();
    EXPECT_TRUE(transcript.contains(QStringLiteral("dialog frmAlert \"Keyword has been added successfully.\" owner=frmMain")));
    const QByteArray written = readFile(list);
    EXPECT_TRUE(written.contains("maps &amp; travel,morning</Keywords>")) << written.left(600).toStdString();
    EXPECT_TRUE(written.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    EXPECT_TRUE(transcript.contains(QStringLiteral("msgbox \"Only .jpeg, .gif, .jpg or .png files are allowed to upload.\"")));

    // Only the picture's upload, under its time-stamped name, and its crop beside it.
    const QStringList files = QDir(program.installRoot() + QStringLiteral("LogoImages")).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 2) << files.join(QLatin1Char(',')).toStdString();
    const QString uploaded = files.filter(QRegularExpression(QStringLiteral("^\\d+my \"best\" photo.png$"))).value(0);
    ASSERT_FALSE(uploaded.isEmpty()) << files.join(QLatin1Char(',')).toStdString();
    const QString escaped = QString(uploaded).replace('"', QStringLiteral("\\\""));
    EXPECT_TRUE(transcript.contains(QStringLiteral("toFlash \"resultimage\" \"%1\"").arg(escaped))) << transcript.toStdString();
    EXPECT_TRUE(transcript.contains(QStringLiteral("state CurrentImageName \"CI%1\"").arg(escaped)));
    EXPECT_EQ(QImage(program.installRoot() + QStringLiteral("LogoImages/CI") + uploaded).size(), QSize(40, 40));

    // The published logo shows the cropped picture: red, no blue.
    const QImage logo(path(QStringLiteral("out/logo.png")));
    ASSERT_FALSE(logo.isNull()) << transcript.toStdString();
    int red = 0, blue = 0;
    for (int y = 0; y < logo.height(); ++y)
        for (int x = 0; x < logo.width(); ++x) {
            red += (logo.pixel(x, y) & 0xffffff) == 0xff0000;
            blue += (logo.pixel(x, y) & 0xffffff) == 0x0000ff;
        }
    EXPECT_GT(red, 1000);
    EXPECT_EQ(blue, 0);
}

} // namespace
} // namespace vm::e2e
