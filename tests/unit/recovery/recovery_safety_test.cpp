#include "platform/api/file_limits.h"
#include "recovery/recovery_files.h"
#include "tests/unit/recovery/recovery_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vm::test {
namespace {

const QByteArray logo = "<VantamorphLogo version=\"2\"><Text text=\"A\"/></VantamorphLogo>";

// A recovery folder with a decoy folder beside it whose contents must never change.
class RecoverySafetyTest : public RecoveryFolderTest {
protected:
    void SetUp() override
    {
        writeFile(decoy() + QStringLiteral("/notes.txt"), "precious");
        writeFile(decoy() + QStringLiteral("/.hidden"), "hidden");
        writeFile(decoy() + QStringLiteral("/4242-deadbeef.vmp"), logo); // our pattern, but not our folder
        writeFile(decoy() + QStringLiteral("/4242-deadbeef.lock"), "4242\n");
        before = folderSnapshot(decoy());
    }
    QString decoy() const { return root.path() + QStringLiteral("/decoy"); }
    // The files of a copy that autosaved and then died; returns its id.
    QString crashedCopy(const QString& project = QString())
    {
        auto crashed = openStore();
        if (!project.isEmpty()) {
            EXPECT_TRUE(crashed->writeProject(project).ok);
        }
        EXPECT_TRUE(crashed->writeLogo(logo).ok);
        return crashed->id();
    }
    QMap<QString, QByteArray> before;
};

TEST_F(RecoverySafetyTest, CleaningTouchesOnlyOurOwnNamesAndNeverALinkedFolder)
{
    const QString dead = openStore()->id(); // killed before its first autosave: a lone marker
    // Not ours, though inside the recovery folder: kept whatever they are.
    writeFile(in(QStringLiteral(".hidden")), "h");
    writeFile(in(QStringLiteral("notes.txt")), "n");
    writeFile(in(QStringLiteral("4242-deadbeef.vmp.bak")), "b");
    writeFile(in(QStringLiteral("photos/1.png")), "p");
    // A name of ours that is a link out of the folder: its set stays as it is.
    ASSERT_TRUE(QFile::link(decoy() + QStringLiteral("/notes.txt"), in(QStringLiteral("77-abc.json"))));
    writeFile(in(QStringLiteral("77-abc.vmp")), "<VantamorphLogo/>");
    // damaged/ made a link elsewhere: nothing is moved into it or removed from it.
    ASSERT_TRUE(QFile::link(decoy(), in(QStringLiteral("damaged"))));
    writeFile(in(QStringLiteral("55-aa.vmp")), "<VantamorphLogo><cut");
    const auto foreign = [&] {
        QMap<QString, QByteArray> files = folderSnapshot(folder());
        files.removeIf([](const auto& file) { return recovery_files::isOwnName(QFileInfo(file.key()).fileName()); });
        return files;
    };
    const QMap<QString, QByteArray> foreignBefore = foreign();

    auto next = openStore();
    const RecoveryStore::Scan scan = next->scan(now(), 30);
    EXPECT_TRUE(scan.offers.isEmpty());
    EXPECT_TRUE(scan.setAside.isEmpty()) << "damaged/ is not a folder of ours";
    EXPECT_FALSE(QFileInfo::exists(in(dead + QStringLiteral(".lock"))));
    EXPECT_TRUE(QFileInfo::exists(in(QStringLiteral("55-aa.vmp")))) << "kept where it is, not lost";
    EXPECT_TRUE(QFileInfo(in(QStringLiteral("77-abc.json"))).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(in(QStringLiteral("77-abc.vmp"))));
    EXPECT_EQ(foreign(), foreignBefore);
    EXPECT_EQ(folderSnapshot(decoy()), before);

    // The folder made a link after start-up (a link at start-up is refused: RecoverySafetySession).
    QDir(folder()).removeRecursively();
    ASSERT_TRUE(QFile::link(decoy(), folder()));
    EXPECT_TRUE(next->scan(now(), 30).offers.isEmpty());
    EXPECT_EQ(folderSnapshot(decoy()), before);
}

TEST_F(RecoverySafetyTest, ARecordNamingAnythingButALogoProjectComesBackAsANewLogo)
{
    const QString project = root.path() + QStringLiteral("/my logo.vmp");
    writeFile(project, "<?xml version=\"1.0\"?>\n" + logo);
    ASSERT_EQ(::mkfifo(QFile::encodeName(root.path() + QStringLiteral("/pipe")).constData(), 0600), 0);
    before = folderSnapshot(decoy());
    QMap<QString, QString> recorded{
        {crashedCopy(project), project},
        {crashedCopy(decoy() + QStringLiteral("/notes.txt")), QStringLiteral("New")},
        {crashedCopy(root.path() + QStringLiteral("/pipe")), QStringLiteral("New")},
        {crashedCopy(decoy()), QStringLiteral("New")},
        {crashedCopy(QStringLiteral("my logo.vmp")), QStringLiteral("New")}, // relative: to whatever folder
        {crashedCopy(root.path() + QStringLiteral("/gone.vmp")), QStringLiteral("New")},
    };

    auto next = openStore();
    const RecoveryStore::Scan scan = next->scan(now(), 30);
    ASSERT_EQ(scan.offers.size(), recorded.size());
    for (const RecoveryEntry& offer : scan.offers)
        EXPECT_EQ(offer.project, recorded.value(offer.id)) << offer.id.toStdString();
    EXPECT_EQ(folderSnapshot(decoy()), before);
}

// Run as another user by the next test: the folder named in VM_RECOVERY_FOLDER
// holds a set whose marker this user cannot open.
TEST(RecoveryAsAnotherUser, AMarkerThatCannotBeOpenedKeepsItsSetAlone)
{
    const QString folder = qEnvironmentVariable("VM_RECOVERY_FOLDER");
    if (folder.isEmpty())
        GTEST_SKIP() << "started by the test below";
    RecoveryStore store(folder);
    ASSERT_TRUE(store.open()) << store.openFailure().toStdString();
    const RecoveryStore::Scan scan = store.scan(QDateTime::currentDateTimeUtc(), 30);
    EXPECT_TRUE(scan.offers.isEmpty());
    EXPECT_TRUE(scan.setAside.isEmpty());
    store.close();
}

TEST_F(RecoverySafetyTest, AMarkerWeCannotOpenBelongsToARunningCopy)
{
    const QString other = crashedCopy(QStringLiteral("New"));
    const QString lock = in(other + QStringLiteral(".lock"));
    writeFile(lock, "4242\n"); // the crashed copy's lock is gone; this one stands for another user's
    const QMap<QString, QByteArray> set = folderSnapshot(folder());
    if (::getuid() != 0) {
        ASSERT_TRUE(QFile::setPermissions(lock, {}));
        auto next = openStore();
        EXPECT_TRUE(next->scan(now(), 30).offers.isEmpty());
        next->close();
        ASSERT_TRUE(QFile::setPermissions(lock, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    } else {
        // Root opens anything: the scan runs as nobody, on a folder nobody owns, beside root's private lock.
        ASSERT_EQ(::chmod(QFile::encodeName(root.path()).constData(), 0755), 0);
        for (const QString& path : {root.path() + QStringLiteral("/state"), root.path() + QStringLiteral("/state/vantamorph"), folder()})
            ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0755), 0);
        ASSERT_EQ(::chown(QFile::encodeName(folder()).constData(), 65534, 65534), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(lock).constData(), 0600), 0);
        QProcess scan;
        scan.setProcessChannelMode(QProcess::MergedChannels);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("VM_RECOVERY_FOLDER"), folder());
        environment.insert(QStringLiteral("HOME"), folder());
        scan.setProcessEnvironment(environment);
        scan.start(QStringLiteral("setpriv"),
                   {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"), QStringLiteral("--clear-groups"),
                    QCoreApplication::applicationFilePath(),
                    QStringLiteral("--gtest_filter=RecoveryAsAnotherUser.*")});
        ASSERT_TRUE(scan.waitForFinished(30000));
        const QByteArray said = scan.readAll();
        EXPECT_EQ(scan.exitCode(), 0) << said.toStdString();
        EXPECT_TRUE(said.contains("[  PASSED  ] 1 test")) << said.toStdString();
    }
    EXPECT_EQ(folderSnapshot(folder()), set) << "another user's work is neither offered nor removed";

    // The same set with a marker we can open and nobody holds: offered, as the check that the above was the lock.
    auto owner = openStore();
    EXPECT_EQ(owner->scan(now(), 30).offers.size(), 1);
}

TEST_F(RecoverySafetyTest, PipesAndHugeFilesNeverHoldUpTheStartUp)
{
    const auto fifo = [&](const QString& name) {
        QFile::remove(in(name));
        ASSERT_EQ(::mkfifo(QFile::encodeName(in(name)).constData(), 0600), 0);
    };
    const QString pipeLogo = crashedCopy();
    fifo(pipeLogo + QStringLiteral(".vmp"));
    const QString pipeInfo = crashedCopy();
    fifo(pipeInfo + QStringLiteral(".json"));
    const QString pipeLock = crashedCopy();
    fifo(pipeLock + QStringLiteral(".lock"));
    const QString sparse = crashedCopy();
    QFile huge(in(sparse + QStringLiteral(".vmp")));
    ASSERT_TRUE(huge.open(QIODevice::ReadWrite) && huge.resize(6LL * 1024 * 1024 * 1024)); // holes: no disk used
    huge.close();
    const QString bigInfo = crashedCopy();
    writeFile(in(bigInfo + QStringLiteral(".json")), "{\"project\":\"" + QByteArray(file_limits::recoveryInfo, 'a') + "\"}");
    const QString bigLock = crashedCopy();
    writeFile(in(bigLock + QStringLiteral(".lock")), QByteArray(file_limits::recoveryLock + 1, '1'));

    auto next = openStore();
    QElapsedTimer clock;
    clock.start();
    auto scanning = std::async(std::launch::async, [&] { return next->scan(now(), 30); });
    if (scanning.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        // Give the blocked open its writer so the test program can end.
        for (const QString& name : QDir(folder()).entryList(QDir::System))
            ::close(::open(QFile::encodeName(in(name)).constData(), O_WRONLY | O_NONBLOCK));
        FAIL() << "the scan waits on a pipe";
    }
    const RecoveryStore::Scan scan = scanning.get();
    EXPECT_LT(clock.elapsed(), 3000);

    ASSERT_EQ(scan.offers.size(), 1) << "a damaged lock does not cost the logo";
    EXPECT_EQ(scan.offers[0].id, bigLock);
    const QString damaged = folder() + QStringLiteral("/damaged/");
    QStringList setAside = scan.setAside;
    setAside.sort();
    QStringList expected{damaged + bigInfo + QStringLiteral(".json"), damaged + bigInfo + QStringLiteral(".vmp"),
                         damaged + bigLock + QStringLiteral(".lock"), damaged + sparse + QStringLiteral(".vmp")};
    expected.sort();
    EXPECT_EQ(setAside, expected);
    // The pipes' sets are not ours to judge: left alone, pipes and plain files alike.
    for (const QString& name : {pipeLogo + QStringLiteral(".lock"), pipeLogo + QStringLiteral(".vmp"),
                                pipeInfo + QStringLiteral(".lock"), pipeInfo + QStringLiteral(".vmp"),
                                pipeInfo + QStringLiteral(".json"), pipeLock + QStringLiteral(".lock"),
                                pipeLock + QStringLiteral(".vmp")})
        EXPECT_NE(recovery_files::kindOf(in(name)), recovery_files::Kind::Missing) << name.toStdString();
    EXPECT_EQ(folderSnapshot(decoy()), before);
}

} // namespace
} // namespace vm::test
