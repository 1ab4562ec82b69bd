#include "recovery/recovery_settings.h"
#include "tests/unit/recovery/recovery_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vm::test {
namespace {

const QByteArray logo = "<VantamorphLogo version=\"1\"><text>A</text></VantamorphLogo>";

class RecoveryStoreTest : public RecoveryFolderTest {
protected:
    QStringList filesIn(const QString& path) const { return QDir(path).entryList(QDir::Files); }
};

TEST_F(RecoveryStoreTest, ARunningCopysWorkIsNeverOfferedAndACrashedOnesIsOfferedOnce)
{
    auto survivor = openStore();
    auto crashed = openStore();
    ASSERT_NE(survivor->id(), crashed->id());
    const QString project = root.path() + QStringLiteral("/logo æ.vmp");
    writeFile(project, logo);
    ASSERT_TRUE(crashed->writeProject(project).ok);
    ASSERT_TRUE(crashed->writeLogo(logo).ok);

    // Alive: its marker is held, so its work stays its own.
    EXPECT_TRUE(survivor->scan(now(), 30).offers.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(crashed->logoPath()));

    // Dies without a clean end: the lock goes, the files stay.
    const QString crashedLogo = crashed->logoPath();
    crashed.reset();
    const RecoveryStore::Scan scan = survivor->scan(now(), 30);
    ASSERT_EQ(scan.offers.size(), 1);
    EXPECT_EQ(scan.offers[0].project, project);
    EXPECT_EQ(scan.offers[0].logoPath, crashedLogo);
    EXPECT_LE(qAbs(scan.offers[0].savedAt.secsTo(now())), 5);

    // Two copies starting together: only one takes it over.
    auto other = openStore();
    EXPECT_TRUE(survivor->adopt(scan.offers[0]));
    EXPECT_FALSE(other->adopt(scan.offers[0]));
    QFile adopted(survivor->logoPath());
    ASSERT_TRUE(adopted.open(QIODevice::ReadOnly));
    EXPECT_EQ(adopted.readAll(), logo);
    EXPECT_TRUE(other->scan(now(), 30).offers.isEmpty()) << "adopted work belongs to a running copy";
}

TEST_F(RecoveryStoreTest, CleanEndLeavesNothingAndLeftoversOfDeadCopiesAreSweptAway)
{
    auto clean = openStore();
    ASSERT_TRUE(clean->writeLogo(logo).ok);
    clean->close();
    EXPECT_TRUE(filesIn(folder()).isEmpty()) << filesIn(folder()).join(u' ').toStdString();

    // A copy killed before its first autosave, or in the middle of one.
    auto early = openStore();
    writeFile(folder() + QLatin1Char('/') + early->id() + QStringLiteral(".vmp.Xa12bc"), "<VantamorphLo");
    early.reset();
    auto next = openStore();
    EXPECT_TRUE(next->scan(now(), 30).offers.isEmpty());
    EXPECT_EQ(filesIn(folder()), QStringList{next->id() + QStringLiteral(".lock")});
}

TEST_F(RecoveryStoreTest, DamagedFilesAreSetAsideOnceAndOldOnesRemoved)
{
    auto broken = openStore();
    ASSERT_TRUE(broken->writeLogo("<VantamorphLogo><text>unfinished").ok);
    auto badInfo = openStore();
    ASSERT_TRUE(badInfo->writeLogo(logo).ok);
    writeFile(badInfo->infoPath(), "{\"project\": 7");
    auto old = openStore();
    ASSERT_TRUE(old->writeLogo(logo).ok);
    {
        QFile oldLogo(old->logoPath());
        ASSERT_TRUE(oldLogo.open(QIODevice::ReadWrite));
        ASSERT_TRUE(oldLogo.setFileTime(now().addDays(-31), QFileDevice::FileModificationTime));
    }
    broken.reset();
    badInfo.reset();
    old.reset();

    auto later = openStore();
    RecoveryStore::Scan scan = later->scan(now(), 30);
    EXPECT_TRUE(scan.offers.isEmpty()) << "the sound one is too old to offer";
    EXPECT_EQ(scan.setAside.size(), 3) << scan.setAside.join(u' ').toStdString();
    for (const QString& file : scan.setAside) {
        EXPECT_TRUE(file.startsWith(folder() + QStringLiteral("/damaged/")));
        EXPECT_TRUE(QFileInfo::exists(file));
    }
    EXPECT_EQ(filesIn(folder()), QStringList{later->id() + QStringLiteral(".lock")});

    // Reported once: the next start sees nothing.
    scan = later->scan(now(), 30);
    EXPECT_TRUE(scan.setAside.isEmpty());
    EXPECT_TRUE(scan.offers.isEmpty());
    // After thirty days the set-aside files go too.
    later->scan(now().addDays(31), 30);
    EXPECT_TRUE(filesIn(folder() + QStringLiteral("/damaged")).isEmpty());
}

TEST_F(RecoveryStoreTest, ALogoWithoutItsProjectEntryIsANewLogoAndAMissingFolderIsMade)
{
    auto crashed = openStore();
    EXPECT_TRUE(QFileInfo(folder()).isDir());
    ASSERT_TRUE(crashed->writeLogo(logo).ok);
    crashed.reset();
    auto next = openStore();
    const RecoveryStore::Scan scan = next->scan(now(), 30);
    ASSERT_EQ(scan.offers.size(), 1);
    EXPECT_EQ(scan.offers[0].project, QStringLiteral("New"));

    // A folder that cannot be made: the store says so instead of failing later.
    writeFile(root.path() + QStringLiteral("/blocked"), "a file where a folder should be");
    RecoveryStore blocked(root.path() + QStringLiteral("/blocked/recovery"));
    EXPECT_FALSE(blocked.open());
}

TEST(RecoverySettingsTest, TheSettingsFileSetsTheIntervalTheEnvironmentOverridesItAndJunkMeansTheDefault)
{
    QTemporaryDir home;
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("HOME"), home.path());
    RecoverySettings settings = RecoverySettings::fromEnvironment(environment);
    EXPECT_EQ(settings.intervalSeconds, 60);
    EXPECT_EQ(settings.folder, home.path() + QStringLiteral("/.local/state/vantamorph/recovery"));

    QDir().mkpath(home.path() + QStringLiteral("/.config/vantamorph"));
    writeFile(RecoverySettings::settingsFile(environment), "[autosave]\nintervalSeconds=15\n");
    EXPECT_EQ(RecoverySettings::fromEnvironment(environment).intervalSeconds, 15);
    environment.insert(QStringLiteral("VANTAMORPH_AUTOSAVE_SECONDS"), QStringLiteral("0.5"));
    environment.insert(QStringLiteral("XDG_STATE_HOME"), home.path() + QStringLiteral("/state"));
    settings = RecoverySettings::fromEnvironment(environment);
    EXPECT_EQ(settings.intervalSeconds, 0.5);
    EXPECT_EQ(settings.folder, home.path() + QStringLiteral("/state/vantamorph/recovery"));
    environment.insert(QStringLiteral("VANTAMORPH_AUTOSAVE_SECONDS"), QStringLiteral("soon"));
    environment.insert(QStringLiteral("XDG_STATE_HOME"), QStringLiteral("relative/state")); // ignored, as XDG says
    settings = RecoverySettings::fromEnvironment(environment);
    EXPECT_EQ(settings.intervalSeconds, 15);
    EXPECT_EQ(settings.folder, home.path() + QStringLiteral("/.local/state/vantamorph/recovery"));
    environment.insert(QStringLiteral("VANTAMORPH_AUTOSAVE_SECONDS"), QStringLiteral("0"));
    EXPECT_FALSE(RecoverySettings::fromEnvironment(environment).enabled());
}

} // namespace
} // namespace vm::test
