// The file side of a save: what reaches the disk, and what never does.
#include "project/project_file.h"
#include "tests/unit/shell/host_fixture.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

namespace vm::test {
namespace {

using project_file::encodeLogo;
using project_file::writeLogo;

QByteArray encoded(const QString& xml)
{
    QByteArray bytes;
    EXPECT_TRUE(encodeLogo(xml, bytes).ok) << xml.toStdString();
    return bytes;
}

TEST(ProjectFileTest, WritesTheCanvasTextUnchanged)
{
    const QString ae = QString(QChar(0x00E6));
    // Comments, a processing instruction, a doctype, blank runs, CDATA and
    // escapes: all of it comes back byte for byte, and nothing is added.
    const QStringList texts = {
        QStringLiteral("<logo><text font=\"Arial\">Caf") + ae + QStringLiteral(" ") + ae + QStringLiteral("</text></logo>"),
        QStringLiteral("<!DOCTYPE logo>\n<?canvas v2?>\n<!-- made by the canvas -->\n<logo>\n  <shape id=\"1\"/>\n\t<t>a &amp; b &lt; c</t>\n  <![CDATA[<raw>]]>\n</logo>\n"),
        QStringLiteral("<?xml version=\"1.0\"?><logo/>"),
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<logo>\xE2\x82\xAC</logo>"),
    };
    for (const QString& text : texts)
        EXPECT_EQ(encoded(text), text.toUtf8()) << text.toStdString();

    // A declared encoding is the file's encoding.
    const QString latin = QStringLiteral("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<logo>") + ae
                          + QStringLiteral(" <!-- ") + ae + QStringLiteral(" --></logo>");
    EXPECT_EQ(encoded(latin), latin.toLatin1());
    const QString wide = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?><logo>") + ae + QStringLiteral("</logo>");
    const QByteArray wideBytes = encoded(wide);
    EXPECT_EQ(wideBytes.left(2), QByteArray("\xFF\xFE", 2));
    EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(wideBytes.constData() + 2), (wideBytes.size() - 2) / 2),
              wide);
}

TEST(ProjectFileTest, RefusesWhatCannotBeWrittenAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/logo.vmp");
    writeFile(path, "<logo>old</logo>");

    for (const QString& broken : {QString(), QStringLiteral("<logo>"), QStringLiteral("<logo></log>"), QStringLiteral("text")}) {
        const project_file::Outcome outcome = writeLogo(path, broken);
        EXPECT_FALSE(outcome.ok) << broken.toStdString();
        EXPECT_FALSE(outcome.reason.isEmpty());
    }
    EXPECT_EQ(readFile(path), QByteArray("<logo>old</logo>"));

    QFile::setPermissions(path, QFileDevice::ReadOwner);
    const project_file::Outcome readOnly = writeLogo(path, QStringLiteral("<logo>new</logo>"));
    EXPECT_FALSE(readOnly.ok);
    EXPECT_TRUE(readOnly.reason.contains(QStringLiteral("Permission denied")));
    EXPECT_EQ(readFile(path), QByteArray("<logo>old</logo>"));

    const project_file::Outcome noFolder = writeLogo(dir.path() + QStringLiteral("/gone/logo.vmp"), QStringLiteral("<logo/>"));
    EXPECT_FALSE(noFolder.ok);
    EXPECT_TRUE(noFolder.reason.contains(QStringLiteral("Path not found")));

    // Something that is not a regular file is never replaced, even by an administrator.
    const project_file::Outcome folder = project_file::writeAtomically(dir.path(), QByteArray("x"));
    EXPECT_FALSE(folder.ok);
}

// A process killed in the middle of a save leaves the old or the new project
// whole, never a torn one.
TEST(ProjectFileTest, KillDuringSaveLeavesAWholeFile)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/big.vmp");
    const QByteArray first = encoded(QStringLiteral("<logo>") + QString(4 << 20, QLatin1Char('a')) + QStringLiteral("</logo>"));
    const QByteArray second = encoded(QStringLiteral("<logo>") + QString(4 << 20, QLatin1Char('b')) + QStringLiteral("</logo>"));
    writeFile(path, first);

    for (int round = 0; round < 6; ++round) {
        QProcess writer;
        writer.start(QStringLiteral(VM_WRITE_HELPER), {path, QStringLiteral("4")});
        ASSERT_TRUE(writer.waitForStarted());
        ASSERT_TRUE(writer.waitForReadyRead(20000)); // the first write is done
        QThread::msleep(20 + QRandomGenerator::global()->bounded(150));
        ::kill(pid_t(writer.processId()), SIGKILL);
        writer.waitForFinished();
        const QByteArray left = readFile(path);
        EXPECT_TRUE(left == first || left == second) << "round " << round << ": " << left.size() << " bytes";
    }
}

} // namespace
} // namespace vm::test
