#include "platform_test_support.h"

#include "platform/linux/linux_os_facts.h"
#include "platform/linux/linux_rights.h"
#include "tests/support/scoped_variable.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

namespace vm {
namespace {

TEST(LinuxRights, RootOrPrinterAdministratorsMayInstallAPrinter)
{
    EXPECT_EQ(LinuxRights::environmentQuery(true, {}, std::nullopt), 1);
    EXPECT_EQ(LinuxRights::environmentQuery(false, {100, 108}, 108u), 1);
    EXPECT_EQ(LinuxRights::environmentQuery(false, {100}, 108u), 0);
    EXPECT_EQ(LinuxRights::environmentQuery(false, {100, 108}, std::nullopt), 0); // no such group here

    // The real user, checked against what id(1) says.
    int expected = 0;
    if (::geteuid() == 0) {
        expected = 1;
    } else {
        QProcess id;
        id.start(QStringLiteral("id"), {QStringLiteral("-Gn")});
        ASSERT_TRUE(id.waitForFinished(3000));
        expected = QString::fromLocal8Bit(id.readAllStandardOutput()).split(' ').contains("lpadmin") ? 1 : 0;
    }
    EXPECT_EQ(LinuxRights().environmentQuery(), expected);
}

using test::ScopedVariable;

TEST(LinuxOsFacts, DocumentsFolderOnlyWhenItExistsAndWindowsVariablesAreEmpty)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    ScopedVariable homeVariable("HOME", home.path().toLocal8Bit());
    ScopedVariable config("XDG_CONFIG_HOME", home.filePath("config").toLocal8Bit());
    LinuxOsFacts os;
    EXPECT_EQ(os.documentsFolder(), "");
    ASSERT_TRUE(QDir(home.path()).mkdir("Documents"));
    EXPECT_EQ(os.documentsFolder(), home.filePath("Documents"));

    ScopedVariable noDrive("HOMEDRIVE", QByteArray());
    EXPECT_FALSE(os.environment("HOMEDRIVE").isNull());
    EXPECT_EQ(os.environment("HOMEDRIVE"), "");
    EXPECT_EQ(os.environment("HOME"), home.path());
    EXPECT_EQ(os.environment(""), "");
}

TEST(ImmediateProcessControl, EndsWithTheCodeAfterTheFlushHookOnly)
{
    QProcess process;
    process.start(test::helperPath(), {QStringLiteral("end"), QStringLiteral("7")});
    ASSERT_TRUE(process.waitForFinished(3000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 7);
    // Only the hook flushed stdio: the exit itself writes nothing.
    EXPECT_EQ(process.readAllStandardOutput(), "pending");
}

} // namespace
} // namespace vm
