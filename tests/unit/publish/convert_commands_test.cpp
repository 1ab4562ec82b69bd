// The whole command lines are checked where they run: the publish dialog's crop
// and the quick publish's scale, convert and TIFF lines (save_logo_form_test,
// quick_publish_test); quoting round trips in processes_test.
#include "publish/convert_commands.h"

#include <gtest/gtest.h>

namespace vm::convert_commands {
namespace {

TEST(ConvertCommandsTest, PrintedSizeTakesTheLeadingNumbersAndQuarterRoundsHalvesToEven)
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

    EXPECT_EQ(quarterSide(506), 126);
    EXPECT_EQ(quarterSide(510), 128);
    EXPECT_EQ(quarterSide(398), 100);
    EXPECT_EQ(inPlaceResizeArguments(PublishSize::Thumbnail, {}, QStringLiteral("t.png")),
              (QStringList{QStringLiteral("t.png"), QStringLiteral("-thumbnail"), QStringLiteral("100x100"), QStringLiteral("t.png")}));
    EXPECT_TRUE(inPlaceResizeArguments(PublishSize::Full, {}, QStringLiteral("t.png")).isEmpty());
}

TEST(ConvertCommandsTest, AProgramFolderWithABlankQuotesTheConverter)
{
    EXPECT_TRUE(cropCommand(QStringLiteral("/opt/My P"), {QStringLiteral("1"), QStringLiteral("2")}, QString(),
                            QStringLiteral("a"), QStringLiteral("b"))
                    .startsWith(QStringLiteral("\"/opt/My P/bin/convert\" -quality")));
    EXPECT_TRUE(convertCommand(QStringLiteral("/opt/P"), QStringLiteral("a"), QStringLiteral("b"))
                    .startsWith(QStringLiteral("/opt/P/bin/convert \"a\"")));
}

} // namespace
} // namespace vm::convert_commands
