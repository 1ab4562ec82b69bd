#include "platform/printing/system_page_printer.h"
#include "print_fixture.h"
#include "shell/temp_folder.h"
#include "tests/support/scoped_variable.h"
#include "tests/unit/canvas/canvas_test_support.h"

#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>

namespace vm::test {
namespace {

// One print from the canvas's side while the publish dialog's timer runs, on
// a system whose LANG is set per case: the print dialog is confirmed, the
// prompt gets the target and an EPS of the whole page lands there.
class PrintEndToEnd : public PrintFixture {
protected:
    void SetUp() override
    {
        PrintFixture::SetUp();
        automation = std::make_unique<PrintAutomation>(seams().print(), systemLocale, [this] { return publish; });
        ASSERT_TRUE(spooler.addPrinter("Office", officeDriver, root.path()));
        // Installed the way the publish dialog installs it.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        QProcess helper;
        environment.insert("VANTAMORPH_SPOOLER_DIR", root.path() + "/spool");
        helper.setProcessEnvironment(environment);
        helper.start(VM_PRINTER_HELPER, {});
        ASSERT_TRUE(helper.waitForFinished(10000));
        ASSERT_EQ(helper.exitCode(), 0);
        PrinterSetup(seams().print(), services).SelectPrinter("Vantamorph");
        QDir().mkpath(workFolderOf(host->state));
        // Every window the print shows, as the automation sees it.
        watcher.setInterval(1);
        QObject::connect(&watcher, &QTimer::timeout, [this] {
            for (const WindowHandle window : windows.topLevelWindows()) {
                QString seen = windows.text(window);
                for (const WindowHandle child : windows.children(window))
                    seen += " | " + windows.text(child);
                if (!shown.contains(seen))
                    shown.append(seen);
            }
        });
        watcher.start();
    }
    static void paintLogo(QPainter& painter, const QRectF& page)
    {
        painter.setBrush(QColor(200, 30, 30));
        painter.drawEllipse(QRectF(34, 45, 200, 120));
        painter.drawText(QPointF(60, 110), QStringLiteral("Logo \u0131\u00e7"));
        EXPECT_GT(page.height(), page.width()); // portrait
    }

    // Checks the EPS at path covers the whole A3 page.
    static void expectPageEps(const QString& path)
    {
        const QByteArray eps = readFile(path);
        ASSERT_TRUE(eps.startsWith("%!PS-Adobe")) << path.toStdString();
        const QRegularExpression box(QStringLiteral("%%BoundingBox: 0 0 (\\d+) (\\d+)"));
        const QRegularExpressionMatch match = box.match(QString::fromLatin1(eps.left(4000)));
        ASSERT_TRUE(match.hasMatch());
        EXPECT_EQ(match.captured(1).toInt(), 842); // A3 in points
        EXPECT_EQ(match.captured(2).toInt(), 1191);
        EXPECT_GT(eps.size(), 2000);
    }

    // The canvas is asked to print the way the host asks it: through its movie variables.
    bool printFromCanvas(const QString& target)
    {
        if (!canvas) {
            canvas = std::make_unique<ReferenceCanvas>(QStringLiteral("skwFlash"), trace, &printer);
            canvas->setMovie(root.path() + QStringLiteral("/flash/LogoMain.swf"));
            hostSends(*canvas, QStringLiteral("drawnewtext"), QStringLiteral("True"));
        }
        QFile::remove(target);
        hostSends(*canvas, QStringLiteral("printmovie"), QStringLiteral("True"));
        return runUntil([&] { return QFileInfo(target).size() > 0; }, 20000);
    }

    LinuxSystemLocale systemLocale;
    std::unique_ptr<ReferenceCanvas> canvas;
    PrintTargetState publish{false, "", "", "Logo.eps"};
    std::unique_ptr<PrintAutomation> automation;
    SystemPagePrinter printer{windows, spooler, systemLocale};
    QTimer watcher;
    QStringList shown;
    // Each case sets LANG; the others would outrank it.
    ScopedVariable lang{"LANG", qgetenv("LANG")}, all{"LC_ALL", QByteArray()}, messages{"LC_MESSAGES", QByteArray()};
};

TEST_F(PrintEndToEnd, EveryLanguageOfTheTableIsAnsweredByTheTimer)
{
    // Each row's own territory and the other territories of its language: the
    // timer finds that language's print dialog and prompt, or no page is written.
    const QStringList languages = {"en_US.UTF-8", "en_GB.UTF-8", "en_AU",       "it_IT.UTF-8", "it_CH.UTF-8",
                                   "da_DK.UTF-8", "nl_NL.UTF-8", "nl_BE.UTF-8", "de_DE.UTF-8", "de_AT.UTF-8@euro",
                                   "de_CH.UTF-8", "pl_PL.UTF-8", "pt_BR.UTF-8", "pt_PT.UTF-8", "es_ES.UTF-8",
                                   "es_MX.UTF-8", "fr_FR.UTF-8", "fr_BE.UTF-8", "fr_CA.UTF-8", "tr_TR.UTF-8",
                                   "hu_HU.UTF-8"};
    automation->setEnabled(true);
    for (qsizetype index = 0; index < languages.size(); ++index) {
        SCOPED_TRACE(languages[index].toStdString());
        qputenv("LANG", languages[index].toUtf8());
        // A work-file name no shell would survive.
        publish.printedEpsName = QString::fromUtf8("Logo %1 \"q\"; $(rm x) \xc4\xb1\xc3\xa7.eps").arg(index);
        const QString target = printToFileTarget(host->state, publish);
        ASSERT_TRUE(printFromCanvas(target)) << printer.lastError().toStdString() << shown.join("\n").toStdString();
        expectPageEps(target);
    }
}

TEST_F(PrintEndToEnd, ALanguageNotInTheTableLeavesThePromptToTheUser)
{
    qputenv("LANG", "sv_SE.UTF-8");
    automation->setEnabled(true);
    const QString target = root.path() + "/by hand/logo.eps";
    QDir().mkpath(root.path() + "/by hand");
    bool promptSeenUnanswered = false;
    QTimer user;
    user.setInterval(50);
    QObject::connect(&user, &QTimer::timeout, [&] {
        // The print dialog has been confirmed in Swedish; the prompt waits in English.
        const WindowHandle prompt = windows.findWindow("#32770", "Print to File");
        if (!prompt)
            return;
        const WindowHandle edit = windows.findWindowEx(prompt, 0, "Edit");
        promptSeenUnanswered = windows.text(edit).isEmpty();
        windows.setText(edit, target);
        windows.sendClick(windows.findWindowEx(prompt, 0, "Button", "OK"));
    });
    user.start();
    ASSERT_TRUE(printer.printWithDialog("Logo", paintLogo)) << printer.lastError().toStdString();
    EXPECT_TRUE(promptSeenUnanswered);
    EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [](const QString& seen) { return seen.startsWith("Skriv ut | ") && seen.contains("| Skriv &ut |"); }));
    expectPageEps(target);
}

TEST_F(PrintEndToEnd, ACancelledPromptWritesNothingAndOtherDriversCannotPrint)
{
    qputenv("LANG", "de_DE.UTF-8");
    QTimer user;
    user.setInterval(20);
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (const WindowHandle dialog = windows.findWindow("#32770", "Drucken"))
            windows.sendClick(windows.findWindowEx(dialog, 0, "Button", "&Drucken"));
        if (const WindowHandle prompt = windows.findWindow("#32770", "Ausgabe in Datei Umleiten"))
            windows.sendClose(prompt);
    });
    user.start();
    EXPECT_FALSE(printer.printWithDialog("Logo", paintLogo));
    EXPECT_TRUE(QDir(workFolderOf(host->state)).isEmpty());

    spooler.setDefaultPrinter("Office");
    EXPECT_FALSE(printer.printWithDialog("Logo", paintLogo));
    EXPECT_EQ(printer.lastError(), "The printer Office has no driver on this system.");

    // The vector route: no dialog, straight to the file.
    const QString vector = root.path() + "/vector \"$(x)\".eps";
    ASSERT_TRUE(printer.printToFile("Logo", vector, paintLogo));
    EXPECT_TRUE(readFile(vector).startsWith("%!PS-Adobe"));
}

TEST_F(PrintEndToEnd, WithoutPdftopsGhostscriptWritesTheSamePage)
{
    const QPageLayout a3 = EpsWriter::layoutFor(DeviceMode{3, 1, 8});
    for (const QString& pdftops : {QStringLiteral("pdftops"), root.path() + "/no pdftops"}) {
        EpsWriter writer(QStringLiteral("gs"), pdftops);
        const QString path = root.path() + "/page.eps";
        ASSERT_TRUE(writer.writeEps(path, a3, paintLogo)) << writer.lastError().toStdString();
        EXPECT_TRUE(readFile(path).startsWith("%!PS-Adobe-3.0 EPSF-3.0"));
        expectPageEps(path);
    }
    EpsWriter neither(root.path() + "/no gs", root.path() + "/no pdftops");
    EXPECT_FALSE(neither.writeEps(root.path() + "/none.eps", a3, paintLogo));
    EXPECT_FALSE(QFile::exists(root.path() + "/none.eps"));
}

} // namespace
} // namespace vm::test
