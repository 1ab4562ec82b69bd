#include "platform/api/page_printer.h"
#include "canvas/bitmap/bitmap_canvas.h"
#include "canvas_test_support.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vm::test {
namespace {

const QColor stageColour(0xff, 0xee, 0x00);
const QColor paper(Qt::white);

// Keeps each page's painting (a Letter page at 72 points per inch) so a test can look at what would have been printed.
class RecordingPrinter : public PagePrinter {
public:
    bool printWithDialog(const QString& jobName, const Painting& paint) override
    {
        jobs.append(jobName);
        page = QImage(612, 792, QImage::Format_RGB32);
        page.fill(paper);
        QPainter painter(&page);
        paint(painter, QRectF(0, 0, 612, 792));
        return succeed;
    }
    bool printToFile(const QString&, const QString&, const Painting&) override { return false; } // publishing prints through the dialog

    QStringList jobs;
    QImage page;
    bool succeed = true;
};

// Both players as the host sees them; every raised command is "control:command|argument".
class PublishCanvasTest : public ::testing::Test {
protected:
    PublishCanvasTest()
        : canvas(QStringLiteral("skwFlash"), trace, &printer), bitmap(QStringLiteral("ShockwaveFlash1"), trace, canvas)
    {
        canvas.setBitmapCanvas(&bitmap);
        for (MoviePlayer* player : {static_cast<MoviePlayer*>(&canvas), static_cast<MoviePlayer*>(&bitmap)}) {
            player->onCommand([this, player](const QString& command, const QString& argument) {
                raised.append(player->controlName() + QLatin1Char(':') + command + QLatin1Char('|') + argument);
            });
        }
    }

    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        writeFile(root.path() + QStringLiteral("/flash/LogoMain.swf"), minimalMovie());
        writeFile(root.path() + QStringLiteral("/flash/DrawBitmap.swf"), minimalMovie());
        QDir().mkpath(root.path() + QStringLiteral("/LogoImages"));
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        ASSERT_TRUE(picture.save(root.path() + QStringLiteral("/LogoImages/blue.png")));
        canvas.setMovie(root.path() + QStringLiteral("/flash/LogoMain.swf"));
        bitmap.setMovie(root.path() + QStringLiteral("/flash/DrawBitmap.swf"));
        canvas.editor().load(logoWithBlueBox());
        settle();
        raised.clear();
    }

    // A blue box at (100,100)-(160,140) and one hanging over the right edge of the stage.
    static LogoDocument logoWithBlueBox(QSize stage = QSize(507, 397))
    {
        LogoDocument logo;
        logo.stageSize = stage;
        logo.background = stageColour;
        LogoElement box = elementIn(ElementKind::Picture, QRectF(100, 100, 60, 40));
        box.picture = QStringLiteral("blue.png");
        LogoElement overhang = box;
        overhang.position = QPointF(stage.width() - 20, 200);
        logo.elements = {box, overhang};
        return logo;
    }

    void send(const QString& command)
    {
        const qsizetype answers = raised.size();
        const qsizetype jobs = printer.jobs.size();
        hostSends(canvas, command, QStringLiteral("True"));
        EXPECT_EQ(raised.size(), answers) << "answered inside the host's call: " << command.toStdString();
        EXPECT_EQ(printer.jobs.size(), jobs) << "printed inside the host's call";
        settle();
    }

    // What the host does with "publishtransparentimage".
    void forwardBackground(const QString& name)
    {
        bitmap.callFunction(QStringLiteral("<invoke name='receiveBgName'><arguments><string>") + name.toHtmlEscaped()
                            + QStringLiteral("</string></arguments></invoke>"));
        EXPECT_TRUE(raised.isEmpty()) << "answered inside the host's call";
        settle();
    }

    QStringList take() { return std::exchange(raised, {}); }

    // The one raised command, split into its name and its decoded picture.
    struct Picture {
        QString command;
        QByteArray format;
        QImage image;
    };
    Picture takePicture()
    {
        const QStringList sent = take();
        if (sent.size() != 1) {
            ADD_FAILURE() << "expected one command, got " << sent.join(QLatin1Char('\n')).toStdString();
            return {};
        }
        const QString prefix = QStringLiteral("ShockwaveFlash1:");
        EXPECT_TRUE(sent[0].startsWith(prefix)) << "not raised by the bitmap player";
        const QString command = sent[0].mid(prefix.size()).section(QLatin1Char('|'), 0, 0);
        const QByteArray text = sent[0].section(QLatin1Char('|'), 1).toLatin1();
        const auto decoded = QByteArray::fromBase64Encoding(text, QByteArray::AbortOnBase64DecodingErrors);
        EXPECT_TRUE(decoded) << "not standard Base64";
        EXPECT_EQ(decoded.decoded.toBase64(), text) << "not padded standard Base64";
        QBuffer buffer;
        buffer.setData(decoded.decoded);
        QImageReader reader(&buffer);
        return {command, reader.format(), reader.read()};
    }

    static bool near(const QColor& actual, const QColor& expected)
    {
        return std::max({std::abs(actual.red() - expected.red()), std::abs(actual.green() - expected.green()), std::abs(actual.blue() - expected.blue())}) <= 6;
    }

    QTemporaryDir root;
    Trace trace;
    RecordingPrinter printer;
    ReferenceCanvas canvas;
    BitmapCanvas bitmap;
    QStringList raised;
};

TEST_F(PublishCanvasTest, RasterCommandsComeBackFromTheBitmapPlayerAsStagePictures)
{
    const struct {
        const char* command;
        const char* answer;
        const char* format;
    } cases[] = {{"png", "publishpng", "png"}, {"jpg", "publishjpg", "jpeg"},
                 {"gif", "publishgif", "png"}, {"tiff", "publishtiff", "png"}};
    for (const auto& row : cases) {
        SCOPED_TRACE(row.command);
        send(QString::fromLatin1(row.command));
        const Picture picture = takePicture();
        EXPECT_EQ(picture.command, QString::fromLatin1(row.answer));
        EXPECT_EQ(picture.format, QByteArray(row.format));
        ASSERT_EQ(picture.image.size(), QSize(507, 397));
        EXPECT_FALSE(picture.image.hasAlphaChannel());
        EXPECT_TRUE(near(picture.image.pixelColor(0, 0), stageColour));
        EXPECT_TRUE(near(picture.image.pixelColor(130, 120), Qt::blue));
        EXPECT_TRUE(near(picture.image.pixelColor(90, 120), stageColour));
    }
    // The logo as it is when asked, at its own stage size.
    canvas.editor().load(logoWithBlueBox(QSize(320, 240)));
    send(QStringLiteral("PNG"));
    EXPECT_EQ(takePicture().image.size(), QSize(320, 240));
}

TEST_F(PublishCanvasTest, TransparentPicturesTravelThroughTheHostWithRealAlpha)
{
    for (const auto& [command, name, answer] : {std::tuple{"transparentpng", "png", "publishtransparentpng"},
                                                std::tuple{"transparentgif", "gif", "publishtransparentgif"}}) {
        SCOPED_TRACE(command);
        send(QString::fromLatin1(command));
        EXPECT_EQ(take(), QStringList(QStringLiteral("skwFlash:publishtransparentimage|") + QString::fromLatin1(name)));
        forwardBackground(QString::fromLatin1(name));
        const Picture picture = takePicture();
        EXPECT_EQ(picture.command, QString::fromLatin1(answer));
        EXPECT_EQ(picture.format, QByteArray("png"));
        ASSERT_EQ(picture.image.size(), QSize(507, 397));
        ASSERT_TRUE(picture.image.hasAlphaChannel());
        EXPECT_EQ(picture.image.pixelColor(0, 0).alpha(), 0); // the stage colour is left out
        EXPECT_EQ(picture.image.pixelColor(130, 120).alpha(), 255);
        EXPECT_TRUE(near(picture.image.pixelColor(130, 120), Qt::blue));
    }
}

TEST_F(PublishCanvasTest, BitmapPlayerIgnoresEverythingButAWellFormedBackgroundRequest)
{
    for (const char* request : {"", "png", "<invoke", "<invoke name='receiveBgName'><arguments><string>png</string></arguments>",
                                "<invoke name='receiveBgName'><arguments><string>png</string></arguments></invoke><x",
                                "<invoke name='other'><arguments><string>png</string></arguments></invoke>",
                                "<invoke name='receiveBgName'><arguments><string>jpeg</string></arguments></invoke>",
                                "<invoke name='receiveBgName'><arguments><number>1</number></arguments></invoke>",
                                "<invoke name='receiveBgName'><arguments><string>p&bogus;ng</string></arguments></invoke>"}) {
        SCOPED_TRACE(request);
        EXPECT_TRUE(bitmap.callFunction(QString::fromLatin1(request)).isEmpty());
        settle();
        EXPECT_TRUE(take().isEmpty());
    }
    // Host commands are not the bitmap player's business.
    hostSends(bitmap, QStringLiteral("png"), QStringLiteral("True"));
    settle();
    EXPECT_TRUE(take().isEmpty());

    // A player without its movie draws nothing; the canvas tells the host the picture will not come.
    BitmapCanvas empty(QStringLiteral("ShockwaveFlash1"), trace, canvas);
    empty.setMovie(root.path() + QStringLiteral("/flash/missing.swf"));
    canvas.setBitmapCanvas(&empty);
    send(QStringLiteral("png"));
    EXPECT_EQ(take(), QStringList(QStringLiteral("skwFlash:publishfailed|the bitmap canvas is not loaded.")));
    canvas.setBitmapCanvas(&bitmap);
}

TEST_F(PublishCanvasTest, PrintedPublishPutsTheStageWhereTheHostCropsAndReportsItsSize)
{
    send(QStringLiteral("doPublish"));
    ASSERT_EQ(printer.jobs.size(), 1);
    EXPECT_EQ(take(), QStringList(QStringLiteral("skwFlash:convertdata|507") + ae + QStringLiteral("397")));

    const QPoint origin(34, 45);
    const QList<QPair<QPoint, QColor>> pixels = {
        // The stage's corners are on the page, the pixels just outside are paper.
        {{0, 0}, stageColour}, {{506, 396}, stageColour}, {{-1, 0}, paper}, {{0, -1}, paper},
        {{507, 396}, paper},   {{506, 397}, paper},
        // One point per stage pixel, and nothing drawn past the stage's edge.
        {{100, 100}, Qt::blue}, {{159, 139}, Qt::blue}, {{160, 120}, stageColour}, {{500, 220}, Qt::blue},
        {{520, 220}, paper},
    };
    for (const auto& [offset, colour] : pixels)
        EXPECT_EQ(printer.page.pixelColor(origin + offset), colour) << offset.x() << "," << offset.y();

    send(QStringLiteral("dovector"));
    EXPECT_EQ(printer.jobs.size(), 2);
    EXPECT_EQ(take(), QStringList(QStringLiteral("skwFlash:vectoreps|")));

    canvas.editor().load(logoWithBlueBox(QSize(320, 240)));
    send(QStringLiteral("doPublish"));
    EXPECT_EQ(take(), QStringList(QStringLiteral("skwFlash:convertdata|320") + ae + QStringLiteral("240")));
    EXPECT_EQ(printer.page.pixelColor(origin + QPoint(319, 0)), stageColour);
    EXPECT_EQ(printer.page.pixelColor(origin + QPoint(320, 0)), paper);

    // A print that did not happen is no finished publish.
    printer.succeed = false;
    send(QStringLiteral("doPublish"));
    send(QStringLiteral("dovector"));
    EXPECT_EQ(take(), QStringList(2, QStringLiteral("skwFlash:publishfailed|the print was cancelled.")));
}

} // namespace
} // namespace vm::test
