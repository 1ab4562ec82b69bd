#include "tests/e2e/session_runner.h"

#include <QImageReader>

namespace vm::e2e {
namespace {

// A user without any administrator rights, running a copy of the program they
// own, publishes for the first time: the print-to-file printer is installed
// into their own printer store and the picture is written.
TEST(OrdinaryUser, InstallsThePrinterInTheirOwnStoreAndPublishes)
{
    InstalledProgram program;
    program.extraArguments = {QStringLiteral("--canvas"), QStringLiteral("reference")};
    if (const QString why = runAsOrdinaryUser(program); !why.isEmpty())
        GTEST_SKIP() << why.toStdString();
    const QString home = program.environment.value(QStringLiteral("HOME"));
    const QString target = home + QStringLiteral("/logo.png");
    const QByteArray script = "wait ready\ncanvas \"show publish\" \"\"\nclick \"frmSaveLogo\" \"optExtension0\"\n"
                              "answer yesno \"yes\"\nanswer savefile " + quoted(target)
                              + "\nanswer alert \"ok\"\nclick \"frmSaveLogo\" \"imgSave\"\nwait idle\n";
    const auto result = program.run(script, QString(), 60000);
    ASSERT_EQ(result.exitCode, 0) << result.shown();
    EXPECT_FALSE(result.has(QStringLiteral("You do not have permission"))) << result.shown();
    EXPECT_TRUE(result.has(QStringLiteral("dialog frmMessageBoxYN \"The Vantamorph printer is not installed."))) << result.shown();
    EXPECT_TRUE(result.has(QStringLiteral("dialog frmAlert \"Your logo has been published.\""))) << result.shown();
    EXPECT_EQ(QImageReader(target).format(), QByteArray("png")) << result.shown();
    QFile store(home + QStringLiteral("/.config/Vantamorph/spooler.json"));
    ASSERT_TRUE(store.open(QIODevice::ReadOnly));
    EXPECT_TRUE(store.readAll().contains("\"Vantamorph\""));
    EXPECT_TRUE(program.errorLog().isEmpty()) << program.errorLog().toStdString();
}

} // namespace
} // namespace vm::e2e
