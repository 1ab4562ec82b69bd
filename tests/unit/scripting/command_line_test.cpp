#include "app/scripting/command_line.h"

#include <QDir>
#include <gtest/gtest.h>

namespace vm {
namespace {

CommandLine parse(QStringList arguments)
{
    arguments.prepend(QStringLiteral("/opt/vm/Vantamorph/vantamorph"));
    return parseCommandLine(arguments);
}

TEST(CommandLine, ReadsTheSessionOptionsAndRefusesOthers)
{
    const CommandLine normal = parse({});
    EXPECT_TRUE(normal.ok());
    EXPECT_FALSE(normal.scripted());
    EXPECT_EQ(normal.desktopName, QStringLiteral("default"));

    const CommandLine scripted = parse({"--script", "a.vms", "--transcript=out.txt"});
    EXPECT_TRUE(scripted.ok());
    EXPECT_EQ(scripted.scriptPath, QStringLiteral("a.vms"));
    EXPECT_EQ(scripted.transcriptPath, QStringLiteral("out.txt"));
    // Each session gets a desktop of its own, so two sessions never meet.
    EXPECT_TRUE(scripted.desktopName.startsWith(QStringLiteral("script-")));
    EXPECT_NE(scripted.desktopName, parse({"--script", "a.vms"}).desktopName);

    EXPECT_EQ(parse({"--script", "a.vms", "--desktop", "shared"}).desktopName, QStringLiteral("shared"));

    for (const QStringList& bad : QList<QStringList>{{"--scrip", "a"},
                                                     {"a.vmp", "b.vmp"},
                                                     {"--script"},
                                                     {"--script="},
                                                     {"--transcript", "out.txt"},
                                                     {"--desktop"}}) {
        const CommandLine result = parse(bad);
        EXPECT_FALSE(result.ok()) << bad.join(' ').toStdString();
    }
}

TEST(CommandLine, AProjectOnItsOwnIsOpenedAtStartWithAnAbsolutePath)
{
    const QString here = QDir::currentPath();
    const QList<QPair<QStringList, QString>> opened = {
        {{"logo.vmp"}, here + "/logo.vmp"},
        {{"/home/u/My Logos/logo.vmp"}, "/home/u/My Logos/logo.vmp"},
        {{"sub/../logo.vmp"}, here + "/logo.vmp"},
        {{"--", "--odd-name.vmp"}, here + "/--odd-name.vmp"},
        {{"--script", "a.vms", "logo.vmp"}, here + "/logo.vmp"},
        {{"logo.vmp", "--desktop", "d"}, here + "/logo.vmp"},
    };
    for (const auto& [arguments, project] : opened) {
        const CommandLine options = parse(arguments);
        ASSERT_TRUE(options.ok()) << arguments.join(' ').toStdString() << ": " << options.error.toStdString();
        EXPECT_EQ(options.projectPath, project) << arguments.join(' ').toStdString();
    }
    EXPECT_TRUE(parse({}).projectPath.isEmpty());

    const QList<QPair<QStringList, const char*>> refused = {
        {{"a.vmp", "b.vmp"}, "only one project"},
        {{"--export", "a.vmp", "--out", "a.png", "b.vmp"}, "--export"},
        {{"--", ""}, "empty"},
        {{"-"}, "unknown option"},
    };
    for (const auto& [arguments, named] : refused) {
        const CommandLine options = parse(arguments);
        EXPECT_FALSE(options.ok()) << arguments.join(' ').toStdString();
        EXPECT_TRUE(options.error.contains(QLatin1String(named))) << options.error.toStdString();
    }
    EXPECT_TRUE(commandLineUsage(QString()).startsWith(QStringLiteral("usage: vantamorph [PROJECT.vmp]\n")));
}

TEST(CommandLine, ReadsExportRunsAndRefusesWhatCannotBeExported)
{
    const CommandLine picture = parse({"--export", "logo.vmp", "--out=logo.png", "--width", "800", "--height=600", "--transparent"});
    ASSERT_TRUE(picture.ok()) << picture.error.toStdString();
    EXPECT_TRUE(picture.exporting());
    EXPECT_FALSE(picture.scripted());
    EXPECT_EQ(picture.exportProject, QStringLiteral("logo.vmp"));
    EXPECT_EQ(picture.outPath, QStringLiteral("logo.png"));
    EXPECT_EQ(picture.width, 800);
    EXPECT_EQ(picture.height, 600);
    EXPECT_TRUE(picture.transparent);
    EXPECT_EQ(parse({"--export", "a.vmp", "--out", "a.jpg", "--background", "#ff8800"}).background, QStringLiteral("#ff8800"));
    const CommandLine pack = parse({"--brand-pack", "logo.vmp", "--out", "brand"});
    EXPECT_TRUE(pack.ok());
    EXPECT_EQ(pack.brandPackProject, QStringLiteral("logo.vmp"));

    const QList<QPair<QStringList, const char*>> refused = {
        {{"--export", "a.vmp", "--out", "a.png", "--width", "0"}, "--width"},
        {{"--export", "a.vmp", "--out", "a.png", "--height", "20001"}, "--height"},
        {{"--export", "a.vmp", "--out", "a.png", "--width", "12px"}, "12px"},
        {{"--export", "a.vmp", "--out", "a.png", "--width"}, "--width"},
        {{"--export", "a.vmp"}, "--out"},
        {{"--out", "a.png"}, "--out"},
        {{"--export", "a.vmp", "--brand-pack", "a.vmp", "--out", "x"}, "together"},
        {{"--brand-pack", "a.vmp", "--out", "x", "--transparent"}, "--export"},
        {{"--export", "a.vmp", "--out", "a.png", "--background", "not-a-colour"}, "not-a-colour"},
        {{"--export", "a.vmp", "--out", "a.png", "--background", "red", "--transparent"}, "together"},
        {{"--export", "a.vmp", "--out", "a.png", "--script", "s.vms"}, "--script"},
    };
    for (const auto& [arguments, named] : refused) {
        const CommandLine options = parse(arguments);
        EXPECT_FALSE(options.ok()) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(options.error.contains(QLatin1String(named))) << options.error.toStdString();
    }
    EXPECT_TRUE(commandLineUsage(QString()).contains(QStringLiteral("--brand-pack LOGO.vmp --out FOLDER")));
}

TEST(CommandLine, ReadsIdeaRunsAndRefusesWhatDoesNotGoWithThem)
{
    const CommandLine full = parse({"--ideas", "Nordic Bakery", "--out", "ideas", "--tagline=Fresh bread", "--keywords",
                                    "bakery, cafe,", "--moods", "classic,elegant", "--colour", "green", "--count", "12",
                                    "--seed=4294967295"});
    ASSERT_TRUE(full.ok()) << full.error.toStdString();
    EXPECT_TRUE(full.makingIdeas());
    EXPECT_FALSE(full.exporting());
    EXPECT_EQ(full.ideas.name, QStringLiteral("Nordic Bakery"));
    EXPECT_EQ(full.ideas.tagline, QStringLiteral("Fresh bread"));
    EXPECT_EQ(full.ideas.keywords, (QStringList{"bakery", "cafe"}));
    EXPECT_EQ(full.ideas.moods, (QStringList{"classic", "elegant"}));
    EXPECT_EQ(full.ideas.colour, QStringLiteral("green"));
    EXPECT_EQ(full.ideas.count, 12);
    EXPECT_EQ(full.ideas.seed, 4294967295u);
    EXPECT_EQ(full.outPath, QStringLiteral("ideas"));

    const CommandLine plain = parse({"--ideas", "Q", "--out", "q"});
    ASSERT_TRUE(plain.ok());
    EXPECT_EQ(plain.ideas.count, 60);
    EXPECT_EQ(plain.ideas.seed, 1u);

    for (const QStringList& bad : QList<QStringList>{{"--ideas", "Acme"},
                                                     {"--ideas", "", "--out", "x"},
                                                     {"--ideas", "Acme", "--out", "x", "--count", "0"},
                                                     {"--ideas", "Acme", "--out", "x", "--count", "501"},
                                                     {"--ideas", "Acme", "--out", "x", "--count", "1e2"},
                                                     {"--ideas", "Acme", "--out", "x", "--seed", "4294967296"},
                                                     {"--ideas", "Acme", "--out", "x", "--export", "a.vmp"},
                                                     {"--ideas", "Acme", "--out", "x", "--width", "10"},
                                                     {"--ideas", "Acme", "--out", "x", "--script", "a.vms"},
                                                     {"--tagline", "Fresh", "--export", "a.vmp", "--out", "a.png"},
                                                     {"--count", "3"}}) {
        const CommandLine result = parse(bad);
        EXPECT_FALSE(result.ok()) << bad.join(' ').toStdString();
    }
}

} // namespace
} // namespace vm
