#include "tests/e2e/session_runner.h"

namespace vm::e2e {
namespace {

TEST(ProjectSession, SaveAsksForANameWritesTheCanvasXmlAndListsItFirst)
{
    InstalledProgram program;
    const QString target = program.installRoot() + QStringLiteral("logo one.vmp");
    const QByteArray logo = "<logo v=\"1\">\n  <!-- k\xc3\xa6p -->\n  <text>A \xc3\xa6 B</text>\n</logo>";
    const QByteArray script = "wait ready\ncanvas \"datatosave\" \"true\"\nanswer savefile \"" + target.toUtf8() + "\"\nkey \"Ctrl+S\"\n"
                              "canvas \"show save\" \"" + target.toUtf8() + "\xc3\xa6" + QByteArray(logo).replace("\"", "\\\"").replace("\n", "\\n")
                              + "\"\ndump state\ndump menu\n";
    const auto result = program.run(script);
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
    EXPECT_FALSE(matching(result.transcript, QStringLiteral("filedialog save \"Save Project\" \"Vantamorph Logos (*.vmp)| *.vmp\"")).isEmpty())
        << result.shown();
    EXPECT_EQ(readFile(target), logo);
    EXPECT_TRUE(result.transcript.contains(QStringLiteral("state IsDirty false")));
    EXPECT_TRUE(result.transcript.contains(QStringLiteral("state CurrentProjectFile \"") + target + QStringLiteral("\"")));
    EXPECT_TRUE(result.transcript.contains(QStringLiteral("item \"mnuFile1\" parent=\"mnuRecent\" caption=\"") + target
                                           + QStringLiteral("\" enabled=1 checked=0")));
    EXPECT_TRUE(readFile(program.file(QStringLiteral("App.Config"))).contains(target.toUtf8()));

    // The next run opens it from the history.
    const auto reopen = program.run("wait ready\nmenu \"mnuFile1\"\ndump state\n");
    EXPECT_TRUE(reopen.transcript.contains(QStringLiteral("toFlash \"result open\" \"") + target + QStringLiteral("\u00e6null\" -> true")));
}

} // namespace
} // namespace vm::e2e
