#include "app/scripting/command_line.h"

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
                                                     {"a.vms"},
                                                     {"--script"},
                                                     {"--script="},
                                                     {"--transcript", "out.txt"},
                                                     {"--desktop"}}) {
        const CommandLine result = parse(bad);
        EXPECT_FALSE(result.ok()) << bad.join(' ').toStdString();
    }
}

} // namespace
} // namespace vm
