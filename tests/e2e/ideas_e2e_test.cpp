#include "tests/e2e/session_runner.h"

#include <QImage>

namespace vm::e2e {
namespace {

// `vantamorph --ideas`: what it writes, that it writes the same again, and that bad input writes nothing.
class IdeasCommand : public ::testing::Test {
protected:
    QString out(const QString& name) const { return program.root_path() + QStringLiteral("/out/") + name; }
    InstalledProgram::Output ideas(const QStringList& arguments) const
    {
        return program.runInTerminal(QStringList{QStringLiteral("--ideas")} + arguments);
    }
    static QStringList filesIn(const QString& folder)
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    InstalledProgram program;
};

TEST_F(IdeasCommand, WritesProjectsPreviewsAndAPageTheSameEveryRun)
{
    const QStringList request = {QStringLiteral("Nordic Bakery"), QStringLiteral("--tagline"),
                                 QStringLiteral("Fresh bread since 1962"), QStringLiteral("--keywords"),
                                 QStringLiteral("bakery"), QStringLiteral("--count"), QStringLiteral("5"),
                                 QStringLiteral("--seed"), QStringLiteral("7")};
    const InstalledProgram::Output first = ideas(request + QStringList{QStringLiteral("--out"), out(QStringLiteral("a"))});
    ASSERT_EQ(first.exitCode, 0) << first.errors.toStdString();
    EXPECT_TRUE(first.errors.isEmpty()) << first.errors.toStdString();
    const InstalledProgram::Output second = ideas(request + QStringList{QStringLiteral("--out"), out(QStringLiteral("b/new"))});
    ASSERT_EQ(second.exitCode, 0) << second.errors.toStdString();

    const QStringList files = filesIn(out(QStringLiteral("a")));
    QStringList expected{QStringLiteral("index.html")};
    for (int number = 1; number <= 5; ++number)
        expected << QStringLiteral("idea-00%1.png").arg(number) << QStringLiteral("idea-00%1.vmp").arg(number);
    expected.sort();
    EXPECT_EQ(files, expected);
    EXPECT_EQ(filesIn(out(QStringLiteral("b/new"))), expected);
    for (const QString& file : files)
        EXPECT_EQ(readFile(out(QStringLiteral("a/") + file)), readFile(out(QStringLiteral("b/new/") + file))) << file.toStdString();

    EXPECT_EQ(QImage(out(QStringLiteral("a/idea-003.png"))).width(), 512);
    const QString page = QString::fromUtf8(readFile(out(QStringLiteral("a/index.html"))));
    for (int number = 1; number <= 5; ++number)
        EXPECT_TRUE(page.contains(QStringLiteral("href=\"idea-00%1.vmp\"").arg(number))
                    && page.contains(QStringLiteral("src=\"idea-00%1.png\"").arg(number)));
    // Each idea is a project the program opens: it exports like any saved logo.
    const InstalledProgram::Output exported = program.runInTerminal(
        {QStringLiteral("--export"), out(QStringLiteral("a/idea-002.vmp")), QStringLiteral("--out"), out(QStringLiteral("two.png"))});
    EXPECT_EQ(exported.exitCode, 0) << exported.errors.toStdString();
}

TEST_F(IdeasCommand, TheNameIsEscapedInThePage)
{
    const InstalledProgram::Output run = ideas({QStringLiteral("Smith & <Sons>"), QStringLiteral("--count"),
                                                QStringLiteral("1"), QStringLiteral("--out"), out(QStringLiteral("s"))});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const QString page = QString::fromUtf8(readFile(out(QStringLiteral("s/index.html"))));
    EXPECT_TRUE(page.contains(QStringLiteral("Smith &amp; &lt;Sons&gt;")));
    EXPECT_FALSE(page.contains(QStringLiteral("<Sons>")));
}

TEST_F(IdeasCommand, BadInputSaysWhyInOneLineAndWritesNothing)
{
    QDir().mkpath(out(QString()));
    writeFile(out(QStringLiteral("a-file")), "not a folder");
    const QString target = out(QStringLiteral("ideas"));
    const struct {
        const char* what;
        QStringList arguments;
    } cases[] = {
        {"empty name", {QString(), QStringLiteral("--out"), target}},
        {"blank name", {QStringLiteral("   "), QStringLiteral("--out"), target}},
        {"no folder", {QStringLiteral("Acme")}},
        {"count zero", {QStringLiteral("Acme"), QStringLiteral("--count"), QStringLiteral("0"), QStringLiteral("--out"), target}},
        {"count too many", {QStringLiteral("Acme"), QStringLiteral("--count"), QStringLiteral("501"), QStringLiteral("--out"), target}},
        {"count not a number", {QStringLiteral("Acme"), QStringLiteral("--count=ten"), QStringLiteral("--out"), target}},
        {"folder is a file", {QStringLiteral("Acme"), QStringLiteral("--out"), out(QStringLiteral("a-file"))}},
        {"folder inside a file", {QStringLiteral("Acme"), QStringLiteral("--out"), out(QStringLiteral("a-file/ideas"))}},
        {"unknown mood", {QStringLiteral("Acme"), QStringLiteral("--moods"), QStringLiteral("modern,grumpy"), QStringLiteral("--out"), target}},
        {"unknown colour", {QStringLiteral("Acme"), QStringLiteral("--colour"), QStringLiteral("beige"), QStringLiteral("--out"), target}},
        {"seed not a number", {QStringLiteral("Acme"), QStringLiteral("--seed"), QStringLiteral("-1"), QStringLiteral("--out"), target}},
    };
    for (const auto& entry : cases) {
        const InstalledProgram::Output run = ideas(entry.arguments);
        EXPECT_NE(run.exitCode, 0) << entry.what;
        EXPECT_TRUE(run.errors.startsWith("vantamorph: ")) << entry.what << ": " << run.errors.toStdString();
        EXPECT_EQ(run.errors.count('\n'), 1) << entry.what << ": " << run.errors.toStdString();
        EXPECT_EQ(filesIn(out(QString())), QStringList{QStringLiteral("a-file")}) << entry.what;
        EXPECT_FALSE(QFileInfo::exists(target)) << entry.what;
        EXPECT_EQ(readFile(out(QStringLiteral("a-file"))), QByteArray("not a folder")) << entry.what;
    }
}

} // namespace
} // namespace vm::e2e
