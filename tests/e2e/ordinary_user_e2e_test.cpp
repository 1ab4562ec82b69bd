#include "tests/e2e/session_runner.h"

#include <QImageReader>

namespace vm::e2e {
namespace {

// A user without administrator rights, running a copy of the program they
// own, publishes for the first time: the print-to-file printer goes into their
// own printer store, the PNG is drawn by the bitmap canvas, and an EPS then
// takes the whole print path (print dialog, print-to-file prompt, converter).
TEST(OrdinaryUser, InstallsThePrinterInTheirOwnStoreAndPublishes)
{
    InstalledProgram program;
    program.extraArguments = {QStringLiteral("--canvas"), QStringLiteral("reference")};
    if (const QString why = runAsOrdinaryUser(program); !why.isEmpty())
        GTEST_SKIP() << why.toStdString();
    const QString home = program.environment.value(QStringLiteral("HOME"));
    const QString png = home + QStringLiteral("/logo.png");
    const QString eps = home + QStringLiteral("/logo.eps");
    const QByteArray script = "wait ready\nanswer yesno \"yes\"\nanswer savefile " + quoted(png)
                              + "\nanswer alert \"ok\"\nmenu \"mnuPublishPNG100%\"\nwait idle\n"
                                "answer savefile " + quoted(eps)
                              + "\nanswer alert \"ok\"\nmenu \"mnuPublishEPS\"\nwait idle\n";
    const auto result = program.run(script, QString(), 60000);
    ASSERT_EQ(result.exitCode, 0) << result.shown();
    EXPECT_FALSE(result.has(QStringLiteral("You do not have permission"))) << result.shown();
    EXPECT_TRUE(result.has(QStringLiteral("dialog frmMessageBoxYN \"The Vantamorph printer is not installed."))) << result.shown();
    EXPECT_EQ(result.transcript.count(QStringLiteral("dialog frmAlert \"Your logo has been published.\" owner=frmMain -> ok")), 2)
        << result.shown();
    EXPECT_TRUE(result.has(QStringLiteral("window #32770 \"Print to File\" confirmed"))) << result.shown();

    QImageReader picture(png);
    EXPECT_EQ(picture.format(), QByteArray("png"));
    EXPECT_EQ(picture.size(), QSize(507, 397));
    QFile printed(eps);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.read(23).startsWith("%!PS-Adobe-3.0 EPSF-3.0"));
    QFile store(home + QStringLiteral("/.config/Vantamorph/spooler.json"));
    ASSERT_TRUE(store.open(QIODevice::ReadOnly));
    EXPECT_TRUE(store.readAll().contains("\"Vantamorph\""));
}

} // namespace
} // namespace vm::e2e
