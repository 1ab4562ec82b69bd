#include "export/pack_folder.h"
#include "tests/support/test_files.h"

#include <QTemporaryDir>
#include <sys/stat.h>

namespace vm::test {
namespace {

class PackFolderTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return root.path() + QLatin1Char('/') + name; }
    QString target() const { return path(QStringLiteral("pack")); }
    QStringList entries(const QString& folder) const
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    }
    // One pack: the named files, each holding its content, moved into place.
    QString write(const QMap<QString, QByteArray>& files)
    {
        PackFolder folder(target(), own);
        if (const QString problem = folder.open(); !problem.isEmpty())
            return problem;
        for (auto file = files.begin(); file != files.end(); ++file)
            writeFile(folder.stagingPath() + QLatin1Char('/') + file.key(), file.value());
        return folder.commit();
    }

    QTemporaryDir root;
    const QStringList own = {QStringLiteral("a.png"), QStringLiteral("b.png"), QStringLiteral("c.html")};
};

TEST_F(PackFolderTest, EachCommitReplacesThePreviousPackWholeAndLeavesNoTrace)
{
    ASSERT_EQ(write({{QStringLiteral("a.png"), "1"}, {QStringLiteral("b.png"), "1"}}), QString());
    QFile::setPermissions(target(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_EQ(write({{QStringLiteral("c.html"), "2"}}), QString());
    EXPECT_EQ(entries(target()), QStringList{QStringLiteral("c.html")}) << "nothing of the first pack is left";
    EXPECT_EQ(readFile(target() + QStringLiteral("/c.html")), "2");
    struct stat facts {};
    ASSERT_EQ(::stat(QFile::encodeName(target()).constData(), &facts), 0);
    EXPECT_EQ(facts.st_mode & 0777, 0700u) << "the folder keeps its permissions";
    EXPECT_EQ(entries(root.path()), QStringList{QStringLiteral("pack")}) << "no lock or copy left beside it";

    // Through a link the folder it names is replaced, and the link stays.
    ASSERT_TRUE(QFile::link(target(), path(QStringLiteral("link"))));
    PackFolder linked(path(QStringLiteral("link")), own);
    ASSERT_EQ(linked.open(), QString());
    writeFile(linked.stagingPath() + QStringLiteral("/a.png"), "3");
    ASSERT_EQ(linked.commit(), QString());
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("link"))).isSymLink());
    EXPECT_EQ(readFile(target() + QStringLiteral("/a.png")), "3");
}

TEST_F(PackFolderTest, ASecondWriterIsRefusedAndAStopChangesNothing)
{
    ASSERT_EQ(write({{QStringLiteral("a.png"), "old"}}), QString());
    const auto before = folderSnapshot(root.path());
    {
        PackFolder first(target(), own);
        ASSERT_EQ(first.open(), QString());
        writeFile(first.stagingPath() + QStringLiteral("/b.png"), "new");
        PackFolder second(target(), own);
        EXPECT_TRUE(second.open().startsWith(QStringLiteral("another brand pack is being written into")));
        EXPECT_TRUE(QFileInfo::exists(first.stagingPath())) << "the refused writer leaves the first one's copy alone";
        first.discard();
        EXPECT_EQ(second.open(), QString()) << "free again once the first is done";
    }
    EXPECT_EQ(folderSnapshot(root.path()), before);
}

TEST_F(PackFolderTest, AKilledRunsCopyIsClearedAndOtherFilesAreNeverRemoved)
{
    ASSERT_EQ(write({{QStringLiteral("a.png"), "old"}}), QString());
    // What a killed run leaves: its unfinished copy and its lock.
    writeFile(path(QStringLiteral(".pack.partial-0badf00d/a.png")), "half");
    writeFile(path(QStringLiteral(".pack.lock")), "");
    writeFile(path(QStringLiteral(".pack2.partial-12345678/a.png")), "another folder's");
    ASSERT_EQ(write({{QStringLiteral("b.png"), "new"}}), QString());
    EXPECT_EQ(entries(root.path()), (QStringList{QStringLiteral(".pack2.partial-12345678"), QStringLiteral("pack")}));
    EXPECT_EQ(entries(target()), QStringList{QStringLiteral("b.png")});

    // A file that is not a pack's: refused before anything is written, and when it appears meanwhile.
    writeFile(target() + QStringLiteral("/notes.txt"), "mine");
    EXPECT_TRUE(write({{QStringLiteral("a.png"), "x"}}).contains(QStringLiteral("notes.txt")));
    QFile::remove(target() + QStringLiteral("/notes.txt"));
    PackFolder folder(target(), own);
    ASSERT_EQ(folder.open(), QString());
    writeFile(folder.stagingPath() + QStringLiteral("/a.png"), "x");
    writeFile(target() + QStringLiteral("/notes.txt"), "mine");
    EXPECT_TRUE(folder.commit().contains(QStringLiteral("notes.txt")));
    folder.discard();
    EXPECT_EQ(entries(target()), (QStringList{QStringLiteral("b.png"), QStringLiteral("notes.txt")}));
    EXPECT_EQ(entries(root.path()), (QStringList{QStringLiteral(".pack2.partial-12345678"), QStringLiteral("pack")}));
}

} // namespace
} // namespace vm::test
