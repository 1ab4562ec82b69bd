#include "platform/api/user_places.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

namespace vm {
namespace {

void write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// An install root with a program folder and shipped data, and a home for the user.
struct Install {
    QTemporaryDir folder;
    QString root() const { return folder.path() + QStringLiteral("/usr/lib/vantamorph"); }
    QString program() const { return root() + QStringLiteral("/Vantamorph"); }
    QString home() const { return folder.path() + QStringLiteral("/home"); }

    Install()
    {
        write(program() + QStringLiteral("/App.Config"), "<shipped history/>");
        write(root() + QStringLiteral("/datasrc/VM_Logos.xml"), "shipped index");
        write(root() + QStringLiteral("/datasrc/ClipArts/Nature/Nature.xml"), "shipped list");
        write(root() + QStringLiteral("/flash/Lobster.swf"), "shipped movie");
        QDir().mkpath(home());
    }

    QProcessEnvironment environment(const QList<std::pair<QString, QString>>& variables = {}) const
    {
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("HOME"), home());
        for (const auto& [name, value] : variables)
            environment.insert(name, value);
        return environment;
    }
    UserPlaces perUser(const QProcessEnvironment& environment) const { return UserPlaces(program(), false, environment); }
};

// A writable program folder keeps every file where the program has always
// kept it; one that is not the user's to write sends them to the user's places.
TEST(UserPlaces, WritableProgramFolderKeepsTheClassicLayoutAndOtherUsersFolderIsLeftAlone)
{
    Install install;
    const UserPlaces portable = UserPlaces::discover(install.program(), install.environment());
    ASSERT_FALSE(portable.perUser());
    EXPECT_EQ(portable.installRoot(), install.root());
    EXPECT_EQ(portable.configFile(), install.program() + "/App.Config");
    EXPECT_EQ(portable.logFolder(), install.program());
    EXPECT_EQ(portable.imageFolder(), install.root() + "/LogoImages");
    EXPECT_EQ(portable.dataFolder(), install.root() + "/datasrc");
    EXPECT_EQ(portable.flashFolder(), install.root() + "/flash");
    EXPECT_EQ(portable.workBinFolder(), install.program() + "/bin");
    EXPECT_EQ(portable.userRoot(), QString());
    EXPECT_TRUE(UserPlaces(portable).prepare().isEmpty());
    // The probe leaves nothing behind.
    EXPECT_EQ(QDir(install.program()).entryList(QDir::Files | QDir::Hidden), QStringList{"App.Config"});

    // Root ignores permission bits, so the tree is given away instead; as a user it is made read-only.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(QFile::encodeName(install.program()).constData(), 65534, 65534), 0);
    } else {
        QFile::setPermissions(install.program(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    EXPECT_TRUE(UserPlaces::discover(install.program(), install.environment()).perUser());
    EXPECT_FALSE(UserPlaces::canWriteIn(install.program()));
    EXPECT_FALSE(UserPlaces::canWriteIn(install.folder.path() + "/missing"));
    QFile::setPermissions(install.program(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(UserPlaces, FollowsTheXdgVariablesAndTheirDefaults)
{
    Install install;
    const QString home = install.home();
    struct Case {
        const char* name;
        QList<std::pair<QString, QString>> variables;
        QString config, log, data, cache;
    };
    const QList<Case> cases = {
        {"defaults below HOME", {}, home + "/.config", home + "/.local/state", home + "/.local/share", home + "/.cache"},
        {"set",
         {{"XDG_CONFIG_HOME", "/c"}, {"XDG_STATE_HOME", "/s/"}, {"XDG_DATA_HOME", "/d"}, {"XDG_CACHE_HOME", "/k"}},
         "/c", "/s", "/d", "/k"},
        {"relative values are ignored",
         {{"XDG_CONFIG_HOME", "conf"}, {"XDG_STATE_HOME", "./s"}},
         home + "/.config", home + "/.local/state", home + "/.local/share", home + "/.cache"},
        {"empty values are ignored", {{"XDG_DATA_HOME", ""}}, home + "/.config", home + "/.local/state",
         home + "/.local/share", home + "/.cache"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const UserPlaces places = install.perUser(install.environment(test.variables));
        EXPECT_EQ(places.configFile(), test.config + "/vantamorph/App.Config");
        EXPECT_EQ(places.logFolder(), test.log + "/vantamorph");
        EXPECT_EQ(places.imageFolder(), test.data + "/vantamorph/LogoImages");
        EXPECT_EQ(places.dataFolder(), test.data + "/vantamorph/datasrc");
        EXPECT_EQ(places.flashFolder(), test.data + "/vantamorph/flash");
        EXPECT_EQ(places.workBinFolder(), test.cache + "/vantamorph/bin");
        // The shipped folders stay where they were installed.
        EXPECT_EQ(places.shippedDataFolder(), install.root() + "/datasrc");
        EXPECT_EQ(places.shippedFlashFolder(), install.root() + "/flash");
    }
}

// The user's copy is read first; the shipped file fills in for anything the user has not changed.
TEST(UserPlaces, ReadsTheUsersCopyBeforeTheShippedOne)
{
    Install install;
    const UserPlaces places = install.perUser(install.environment());
    const QString list = QStringLiteral("ClipArts/Nature/Nature.xml");
    EXPECT_EQ(read(places.dataFile(list)), "shipped list");
    EXPECT_EQ(read(places.flashFile("Lobster.swf")), "shipped movie");
    EXPECT_EQ(places.dataFile("Font_user.xml"), install.root() + "/datasrc/Font_user.xml"); // neither has it

    write(places.dataFolder() + "/" + list, "user list");
    write(places.flashFolder() + "/Lobster.swf", "user movie");
    EXPECT_EQ(read(places.dataFile(list)), "user list");
    EXPECT_EQ(read(places.flashFile("Lobster.swf")), "user movie");
    EXPECT_EQ(read(places.dataFile("VM_Logos.xml")), "shipped index");

    // The same order through the free function the canvas uses; no user folder means the shipped file.
    EXPECT_EQ(overlaidFile(places.userRoot(), install.root(), "datasrc/" + list), places.dataFolder() + "/" + list);
    EXPECT_EQ(overlaidFile(QString(), install.root(), "datasrc/" + list), install.root() + "/datasrc/" + list);
}

TEST(UserPlaces, AChangedListStartsAsACopyOfTheShippedOne)
{
    Install install;
    const UserPlaces places = install.perUser(install.environment());
    const QString list = QStringLiteral("ClipArts/Nature/Nature.xml");
    QString why;
    const QString target = places.writableDataFile(list, &why);
    ASSERT_EQ(target, places.dataFolder() + "/" + list) << why.toStdString();
    EXPECT_EQ(read(target), "shipped list");
    EXPECT_EQ(QFileInfo(QFileInfo(target).absolutePath()).permissions().toInt() & 0x0077, 0) << "the user's folders are private";

    // A copy the user already changed is kept, not copied over again.
    write(target, "user list");
    EXPECT_EQ(read(places.writableDataFile(list, &why)), "user list");
    // A file nothing ships starts empty (the caller writes it whole).
    const QString fresh = places.writableDataFile("Font_user.xml", &why);
    EXPECT_EQ(fresh, places.dataFolder() + "/Font_user.xml");
    EXPECT_FALSE(QFileInfo::exists(fresh));
    EXPECT_EQ(read(install.root() + "/datasrc/" + list), "shipped list");
}

TEST(UserPlaces, FirstRunMakesPrivateFoldersAndSeedsTheHistoryOnce)
{
    Install install;
    UserPlaces places = install.perUser(install.environment());
    EXPECT_TRUE(places.prepare().isEmpty());
    EXPECT_EQ(read(places.configFile()), "<shipped history/>");
    for (const QString& folder : {places.configFolder(), places.logFolder(), places.imageFolder(), places.dataFolder(),
                                  places.flashFolder(), install.home() + "/.local/share/vantamorph"}) {
        SCOPED_TRACE(folder.toStdString());
        EXPECT_TRUE(QFileInfo(folder).isDir());
        EXPECT_EQ(QFileInfo(folder).permissions().toInt() & 0x0077, 0);
    }
    // The user's history survives later starts and a changed shipped file.
    write(places.configFile(), "<user history/>");
    write(install.program() + "/App.Config", "<new shipped history/>");
    EXPECT_TRUE(places.prepare().isEmpty());
    EXPECT_EQ(read(places.configFile()), "<user history/>");
}

// A place that cannot be made is named, not skipped in silence.
TEST(UserPlaces, APlaceThatCannotBeMadeIsReportedWithWhere)
{
    Install install;
    const QString blocker = install.folder.path() + "/not-a-folder";
    write(blocker, "a file where a folder should be");
    UserPlaces places = install.perUser(install.environment({{"XDG_CONFIG_HOME", blocker}}));
    const QStringList problems = places.prepare();
    ASSERT_FALSE(problems.isEmpty());
    EXPECT_TRUE(problems.first().contains(blocker + "/vantamorph")) << problems.join('\n').toStdString();
    EXPECT_EQ(places.problems(), problems);
    // The other places are still made.
    EXPECT_TRUE(QFileInfo(places.imageFolder()).isDir());
}

} // namespace
} // namespace vm
