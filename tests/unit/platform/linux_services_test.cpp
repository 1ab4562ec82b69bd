#include "platform_test_support.h"

#include "platform/linux/linux_os_facts.h"
#include "platform/linux/linux_rights.h"
#include "tests/support/scoped_variable.h"
#include "tests/support/test_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vm {
namespace {

// The rights query as an ordinary user answers it: run as is, or (under root)
// in a child that has become nobody.
int ordinaryUsersAnswer(const QString& printerStore)
{
    if (::geteuid() != 0)
        return LinuxRights(printerStore).environmentQuery();
    const pid_t child = ::fork();
    if (child == 0) {
        const uid_t nobody = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setresgid(nobody, nobody, nobody) != 0 || ::setresuid(nobody, nobody, nobody) != 0)
            ::_exit(2);
        ::_exit(LinuxRights(printerStore).environmentQuery());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The print-to-file printer goes into the user's own store: whoever can write
// it (or make it) may install the printer, whatever their groups.
TEST(LinuxRights, MayInstallThePrinterWhereTheStoreCanBeWrittenOrMade)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const auto everyone = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup | QFileDevice::ExeGroup
                          | QFileDevice::ReadOther | QFileDevice::ExeOther;
    const auto writable = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    ASSERT_TRUE(QDir(home.path()).mkdir("open"));
    ASSERT_TRUE(QFile::setPermissions(home.filePath("open"), everyone | writable));
    ASSERT_TRUE(QDir(home.path()).mkdir("locked"));
    ASSERT_TRUE(QFile::setPermissions(home.filePath("locked"), everyone));
    test::writeFile(home.filePath("plain"), "x");
    ASSERT_TRUE(QFile::setPermissions(home.path(), everyone));

    EXPECT_EQ(ordinaryUsersAnswer(home.filePath("open")), 1);
    EXPECT_EQ(ordinaryUsersAnswer(home.filePath("open/config/Vantamorph")), 1); // made on the first install
    EXPECT_EQ(ordinaryUsersAnswer(home.filePath("locked")), 0);
    EXPECT_EQ(ordinaryUsersAnswer(home.filePath("locked/config/Vantamorph")), 0);

    // Nothing can be made under a file, not even by root.
    EXPECT_EQ(LinuxRights(home.filePath("plain")).environmentQuery(), 0);
    EXPECT_EQ(LinuxRights(home.filePath("plain/Vantamorph")).environmentQuery(), 0);
    EXPECT_EQ(LinuxRights(QString()).environmentQuery(), 0);
    QFile::setPermissions(home.path(), everyone | QFileDevice::WriteOwner);
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
