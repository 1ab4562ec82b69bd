#include "tests/e2e/session_runner.h"

#include <QElapsedTimer>
#include <QImage>
#include <QSize>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <csignal>
#include <sys/stat.h>

namespace vm::e2e {
namespace {

// The export command where a logo's files are hostile, and where packs meet.
class ExportSafety : public ::testing::Test {
protected:
    void SetUp() override { QDir().mkpath(out(QString())); }

    QString out(const QString& name) const { return program.root_path() + QStringLiteral("/out/") + name; }

    // A project of one text on a stage of size, plus extra elements.
    QString project(const QString& name, const QString& word, const QSize& size, const QByteArray& extra = {}) const
    {
        const QString path = out(name);
        writeFile(path, "<VantamorphLogo version=\"1\" width=\"" + QByteArray::number(size.width()) + "\" height=\""
                            + QByteArray::number(size.height()) + "\" background=\"#f0f0f0\">"
                            "<Text x=\"10\" y=\"10\" width=\"200\" height=\"60\" color=\"#cc0000\" font=\"DejaVu Sans\" size=\"48\" text=\""
                            + word.toUtf8() + "\"/>" + extra + "</VantamorphLogo>");
        return path;
    }

    void start(QProcess& process, const QStringList& arguments) const { program.startInTerminal(process, arguments); }
    InstalledProgram::Output pack(const QString& logo, const QString& folder) const
    {
        return program.runInTerminal({QStringLiteral("--brand-pack"), logo, QStringLiteral("--out"), folder});
    }
    static bool ghostscript() { return !QStandardPaths::findExecutable(QStringLiteral("gs")).isEmpty(); }
    // Hidden siblings of out/: a pack's unfinished copies and locks.
    QStringList hiddenInOut() const { return QDir(out(QString())).entryList(QDir::Hidden | QDir::AllEntries | QDir::NoDotAndDotDot).filter(QRegularExpression(QStringLiteral("^\\."))); }

    InstalledProgram program;
};

TEST_F(ExportSafety, PipesDevicesAndMissingFilesWarnOnceEachAndNeverHang)
{
    const QString pipe = program.root_path() + QStringLiteral("/LogoImages/pipe.png");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString zero = program.root_path() + QStringLiteral("/datasrc/ClipArts/Geometric/zero.svg");
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
    const QString logo = project(QStringLiteral("hostile.vmp"), QStringLiteral("Acme"), QSize(400, 200),
                                 "<Picture x=\"0\" y=\"0\" width=\"50\" height=\"50\" file=\"pipe.png\"/>"
                                 "<Picture x=\"60\" y=\"0\" width=\"50\" height=\"50\" file=\"gone.png\"/>"
                                 "<Symbol x=\"120\" y=\"0\" width=\"50\" height=\"50\" symbol=\"ClipArts/Geometric/zero.svg\" color=\"#000000\"/>");
    const QStringList expected = {
        QStringLiteral("vantamorph: warning: the picture LogoImages/pipe.png could not be drawn: it is a pipe, not a file"),
        QStringLiteral("vantamorph: warning: the picture LogoImages/gone.png could not be drawn: it does not exist"),
        QStringLiteral("vantamorph: warning: the symbol datasrc/ClipArts/Geometric/zero.svg could not be drawn: it is a device, not a file"),
    };

    QElapsedTimer clock;
    clock.start();
    QProcess exporting;
    start(exporting, {QStringLiteral("--export"), logo, QStringLiteral("--out"), out(QStringLiteral("hostile.png"))});
    const auto result = InstalledProgram::outputOf(exporting, 20000);
    EXPECT_LT(clock.elapsed(), 15000);
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
    EXPECT_EQ(QString::fromUtf8(result.errors).split(QLatin1Char('\n'), Qt::SkipEmptyParts), expected);
    EXPECT_EQ(QImage(out(QStringLiteral("hostile.png"))).size(), QSize(400, 200)) << "written with placeholders, as on screen";

    if (!ghostscript())
        GTEST_SKIP() << "Ghostscript is not installed";
    // Sixteen files drawn from one renderer: each problem is told once.
    const auto packed = pack(logo, out(QStringLiteral("hostile-pack")));
    ASSERT_EQ(packed.exitCode, 0) << packed.errors.toStdString();
    EXPECT_EQ(QString::fromUtf8(packed.errors).split(QLatin1Char('\n'), Qt::SkipEmptyParts), expected);
}

// Two writers and other files in the folder are the pack folder's unit test;
// here a run killed while it writes.
TEST_F(ExportSafety, APackFolderAlwaysHoldsOneWholePack)
{
    if (!ghostscript())
        GTEST_SKIP() << "Ghostscript is not installed";
    const QString first = project(QStringLiteral("first.vmp"), QStringLiteral("First"), QSize(500, 400));
    const QString second = project(QStringLiteral("second.vmp"), QStringLiteral("Second"), QSize(300, 100));
    const QString folder = out(QStringLiteral("pack"));
    const auto packOf = [&]() -> QString {
        const QByteArray svg = readFile(folder + QStringLiteral("/logo.svg"));
        const QSize png = QImage(folder + QStringLiteral("/logo.png")).size();
        const QByteArray page = readFile(folder + QStringLiteral("/brand-pack.html"));
        const int files = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size();
        if (files == 16 && svg.contains("viewBox=\"0 0 500 400\"") && png == QSize(500, 400) && page.contains("500x400"))
            return QStringLiteral("first");
        if (files == 16 && svg.contains("viewBox=\"0 0 300 100\"") && png == QSize(300, 100) && page.contains("300x100"))
            return QStringLiteral("second");
        return QStringLiteral("a mix of %1 files").arg(files);
    };

    ASSERT_EQ(pack(first, folder).exitCode, 0);
    ASSERT_EQ(packOf(), QStringLiteral("first"));

    // Killed while it writes: the pack before it stays whole, and the next run
    // clears what it left and replaces that pack wholly.
    const auto snapshot = test::folderSnapshot(folder);
    QProcess killed;
    start(killed, {QStringLiteral("--brand-pack"), second, QStringLiteral("--out"), folder});
    QElapsedTimer clock;
    clock.start();
    bool writing = false;
    while (!writing && clock.elapsed() < 30000 && killed.state() == QProcess::Running) {
        for (const QString& sibling : hiddenInOut())
            writing = writing || !QDir(out(sibling)).isEmpty(QDir::Files | QDir::Hidden);
        QThread::msleep(5);
    }
    ASSERT_TRUE(writing) << "the pack was never seen half written";
    ::kill(pid_t(killed.processId()), SIGKILL);
    killed.waitForFinished();
    EXPECT_EQ(test::folderSnapshot(folder), snapshot);
    EXPECT_FALSE(hiddenInOut().isEmpty()) << "the killed run's copy is left for the next run";
    ASSERT_EQ(pack(second, folder).exitCode, 0);
    EXPECT_EQ(packOf(), QStringLiteral("second"));
    EXPECT_TRUE(hiddenInOut().isEmpty()) << hiddenInOut().join(QLatin1Char(' ')).toStdString();
}

} // namespace
} // namespace vm::e2e
