#include "publish/convert_commands.h"

#include "platform/api/process_runner.h"

#include <gtest/gtest.h>

namespace vm::convert_commands {
namespace {

const QString app = QStringLiteral("/opt/P");

TEST(ConvertCommandsTest, CropLineIsExactWithItsTrailingBlank)
{
    EXPECT_EQ(cropCommand(app, parsePrintedSize(QStringLiteral("640\u00e6480")), QStringLiteral("+34+45"),
                          QStringLiteral("/opt/P/bin/VmEPS/logo.eps"), QStringLiteral("/out/logo.png")),
              QStringLiteral("/opt/P/bin/convert -quality 100 -crop 640x480+34+45 \"/opt/P/bin/VmEPS/logo.eps\" \"/out/logo.png\" "));
    EXPECT_EQ(defaultCropCommand(app, QStringLiteral("/w/a.eps"), QStringLiteral("/o/a.jpg")),
              QStringLiteral("/opt/P/bin/convert -quality 100 -crop 507x397+34+45 \"/w/a.eps\" \"/o/a.jpg\""));
    // A folder with a blank: the converter's path is quoted so the line still splits right.
    EXPECT_TRUE(cropCommand(QStringLiteral("/opt/My P"), {QStringLiteral("1"), QStringLiteral("2")}, QString(),
                            QStringLiteral("a"), QStringLiteral("b"))
                    .startsWith(QStringLiteral("\"/opt/My P/bin/convert\" -quality")));
}

TEST(ConvertCommandsTest, EveryPathComesBackWholeFromTheSplit)
{
    // A quote in a name must not merge it with its neighbour, nor a trailing
    // backslash swallow the closing quote.
    const QString source = QStringLiteral("/w/my \"logo\".png");
    const QString target = QStringLiteral("/o/a\\ b\\");
    const QString folder = QStringLiteral("/opt/\"P\"");
    for (const QString& line : {cropCommand(folder, {QStringLiteral("1"), QStringLiteral("2")}, QStringLiteral("+0+0"), source, target),
                                defaultCropCommand(folder, source, target), convertCommand(folder, source, target),
                                scaleCommand(folder, PublishSize::Quarter, source, target)}) {
        const QStringList words = splitCommandLine(line);
        ASSERT_GE(words.size(), 3) << line.toStdString();
        EXPECT_EQ(words.first(), QStringLiteral("/opt/\"P\"/bin/convert"));
        EXPECT_EQ(words[words.size() - 2], source) << line.toStdString();
        EXPECT_EQ(words.last(), target) << line.toStdString();
    }
}

TEST(ConvertCommandsTest, PrintedSizeTakesTheLeadingNumbers)
{
    const auto size = [](const QString& argument) {
        const PrintedSize parsed = parsePrintedSize(argument);
        return parsed.width + QLatin1Char('x') + parsed.height;
    };
    EXPECT_EQ(size(QStringLiteral("640\u00e6480")), QStringLiteral("640x480"));
    EXPECT_EQ(size(QStringLiteral("640")), QStringLiteral("507x397"));
    EXPECT_EQ(size(QString()), QStringLiteral("507x397"));
    EXPECT_EQ(size(QStringLiteral("640px\u00e6abc")), QStringLiteral("640x0"));
    EXPECT_EQ(size(QStringLiteral(" 12.50\u00e63e2\u00e6x")), QStringLiteral("12.5x300"));
    EXPECT_EQ(size(QStringLiteral("1e999\u00e6-4")), QStringLiteral("0x-4"));
}

TEST(ConvertCommandsTest, QuarterRoundsHalvesToEven)
{
    EXPECT_EQ(quarterSide(506), 126);
    EXPECT_EQ(quarterSide(510), 128);
    EXPECT_EQ(quarterSide(398), 100);
    EXPECT_EQ(quarterSide(397), 99);
    EXPECT_EQ(inPlaceResizeArguments(PublishSize::Quarter, parsePrintedSize(QStringLiteral("506\u00e6398")), QStringLiteral("t.png")),
              (QStringList{QStringLiteral("t.png"), QStringLiteral("-resize"), QStringLiteral("126x100"), QStringLiteral("t.png")}));
    EXPECT_EQ(inPlaceResizeArguments(PublishSize::Thumbnail, {}, QStringLiteral("t.png")),
              (QStringList{QStringLiteral("t.png"), QStringLiteral("-thumbnail"), QStringLiteral("100x100"), QStringLiteral("t.png")}));
    EXPECT_TRUE(inPlaceResizeArguments(PublishSize::Full, {}, QStringLiteral("t.png")).isEmpty());
}

TEST(ConvertCommandsTest, BitmapRouteLines)
{
    EXPECT_EQ(scaleCommand(app, PublishSize::Quarter, QStringLiteral("/opt/P/bin/sample.png"), QStringLiteral("/o/x.png")),
              QStringLiteral("/opt/P/bin/convert  -scale 25% \"/opt/P/bin/sample.png\" \"/o/x.png\""));
    EXPECT_EQ(scaleCommand(app, PublishSize::Thumbnail, QStringLiteral("s"), QStringLiteral("t")),
              QStringLiteral("/opt/P/bin/convert  -resize 100X100 \"s\" \"t\""));
    EXPECT_EQ(scaleCommand(app, PublishSize::Full, QStringLiteral("s"), QStringLiteral("t")),
              QStringLiteral("/opt/P/bin/convert \"s\" \"t\""));
    EXPECT_EQ(tiffCommands(app, QStringLiteral("s.png"), QStringLiteral("/o/t.tiff")),
              (QStringList{QStringLiteral("/opt/P/bin/convert \"s.png\" \"temp.bmp\""),
                           QStringLiteral("/opt/P/bin/convert \"temp.bmp\" \"/o/t.tiff\"")}));
}

} // namespace
} // namespace vm::convert_commands
