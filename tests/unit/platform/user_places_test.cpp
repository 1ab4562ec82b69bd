#include "platform/api/user_places.h"

#include "tests/support/test_files.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

namespace vm {
namespace {

using test::readFile;
using test::writeFile;

bool isPrivate(const QString& folder) { return QFileInfo(folder).isDir() && (QFileInfo(folder).permissions().toInt() & 0x0077) == 0; }

// An install root with a program folder and shipped data, and a home for the user.
struct Install {
    QTemporaryDir folder;
    QString root() const { return folder.path() + "/usr/lib/vantamorph"; }
    QString program() const { return root() + "/Vantamorph"; }
    QString home() const { return folder.path() + "/home"; }
    Install()
    {
        writeFile(program() + "/App.Config", "shipped history");
        writeFile(root() + "/datasrc/ClipArts/Nature/Nature.xml", "shipped list");
        writeFile(root() + "/flash/Lato.swf", "shipped movie");
    }
    UserPlaces perUser(const QList<std::pair<QString, QString>>& variables = {}) const
    {
        QProcessEnvironment environment;
        environment.insert("HOME", home());
        for (const auto& [name, value] : variables)
            environment.insert(name, value);
        return UserPlaces(program(), false, environment);
    }
};

TEST(UserPlaces, AWritableProgramFolderKeepsEverythingBesideItAndAnotherUsersIsLeftAlone)
{
    Install install;
    const UserPlaces portable = UserPlaces::discover(install.program());
    ASSERT_FALSE(portable.perUser());
    EXPECT_EQ(QStringList({portable.configFile(), portable.logFolder(), portable.imageFolder(), portable.dataFolder(),
                           portable.flashFolder(), portable.workBinFolder(), portable.userRoot()}),
              QStringList({install.program() + "/App.Config", install.program(), install.root() + "/LogoImages",
                           install.root() + "/datasrc", install.root() + "/flash", install.program() + "/bin", ""}));
    EXPECT_EQ(QDir(install.program()).entryList(QDir::Files | QDir::Hidden), QStringList{"App.Config"}); // no probe left

    // Root ignores permission bits, so the folder is given away instead.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(QFile::encodeName(install.program()).constData(), 65534, 65534), 0);
    } else {
        QFile::setPermissions(install.program(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    EXPECT_TRUE(UserPlaces::discover(install.program()).perUser());
    QFile::setPermissions(install.program(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(UserPlaces, FollowsTheXdgVariablesAndTheirDefaults)
{
    Install install;
    const QString home = install.home();
    const struct {
        QList<std::pair<QString, QString>> variables;
        QString config, log, data, cache;
    } cases[] = {
        {{}, home + "/.config", home + "/.local/state", home + "/.local/share", home + "/.cache"},
        {{{"XDG_CONFIG_HOME", "/c"}, {"XDG_STATE_HOME", "/s/"}, {"XDG_DATA_HOME", "/d"}, {"XDG_CACHE_HOME", "/k"}},
         "/c", "/s", "/d", "/k"},
        // Relative and empty values are invalid and ignored.
        {{{"XDG_CONFIG_HOME", "conf"}, {"XDG_DATA_HOME", ""}}, home + "/.config", home + "/.local/state",
         home + "/.local/share", home + "/.cache"},
    };
    for (const auto& test : cases) {
        const UserPlaces places = install.perUser(test.variables);
        SCOPED_TRACE(places.configFile().toStdString());
        EXPECT_EQ(places.configFile(), test.config + "/vantamorph/App.Config");
        EXPECT_EQ(places.logFolder(), test.log + "/vantamorph");
        EXPECT_EQ(places.userRoot(), test.data + "/vantamorph");
        EXPECT_EQ(places.imageFolder(), test.data + "/vantamorph/LogoImages");
        EXPECT_EQ(places.workBinFolder(), test.cache + "/vantamorph/bin");
        EXPECT_EQ(places.shippedDataFolder(), install.root() + "/datasrc");
    }
}

// The user's copy is read first; a change starts from a copy of the shipped file.
TEST(UserPlaces, ReadsTheUsersCopyFirstAndChangesOnlyIt)
{
    Install install;
    const UserPlaces places = install.perUser();
    const QString list = "ClipArts/Nature/Nature.xml";
    EXPECT_EQ(readFile(places.dataFile(list)), "shipped list");
    EXPECT_EQ(readFile(places.flashFile("Lato.swf")), "shipped movie");

    QString why;
    const QString target = places.writableDataFile(list, &why);
    ASSERT_EQ(target, places.dataFolder() + "/" + list) << why.toStdString();
    EXPECT_EQ(readFile(target), "shipped list");
    EXPECT_TRUE(isPrivate(QFileInfo(target).absolutePath()));
    writeFile(target, "user list");
    writeFile(places.flashFolder() + "/Lato.swf", "user movie");
    EXPECT_EQ(readFile(places.writableDataFile(list, &why)), "user list"); // not copied over again
    EXPECT_EQ(readFile(places.dataFile(list)), "user list");
    EXPECT_EQ(readFile(places.flashFile("Lato.swf")), "user movie");
    EXPECT_EQ(readFile(install.root() + "/datasrc/" + list), "shipped list");
    EXPECT_EQ(overlaidFile(QString(), install.root(), "flash/Lato.swf"), install.root() + "/flash/Lato.swf");
}

TEST(UserPlaces, TheFirstStartSeedsTheHistoryOnceAndNamesAPlaceItCannotMake)
{
    Install install;
    UserPlaces places = install.perUser();
    EXPECT_TRUE(places.prepare().isEmpty());
    EXPECT_EQ(readFile(places.configFile()), "shipped history");
    for (const QString& folder : {places.configFolder(), places.logFolder(), places.imageFolder(), places.dataFolder(),
                                  places.flashFolder(), places.userRoot()})
        EXPECT_TRUE(isPrivate(folder)) << folder.toStdString();
    writeFile(places.configFile(), "user history");
    EXPECT_TRUE(places.prepare().isEmpty());
    EXPECT_EQ(readFile(places.configFile()), "user history");

    const QString blocker = install.folder.path() + "/file";
    writeFile(blocker, "a file where a folder should be");
    UserPlaces blocked = install.perUser({{"XDG_CONFIG_HOME", blocker}});
    const QStringList problems = blocked.prepare();
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems.first().contains(blocker + "/vantamorph")) << problems.first().toStdString();
    EXPECT_EQ(blocked.problems(), problems);
}

} // namespace
} // namespace vm
