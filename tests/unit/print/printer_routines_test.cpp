#include "platform/printing/modal_window.h"
#include "platform/api/print_window_texts.h"
#include "print/os_version.h"
#include "print/print_names.h"
#include "shell/temp_folder.h"
#include "print_fixture.h"
#include "tests/support/scoped_variable.h"

#include <QTimer>

namespace vm::test {
namespace {

class PrinterRoutines : public PrintFixture {
protected:
    void install(const QString& name, const QString& driver = officeDriver)
    {
        ASSERT_TRUE(spooler.addPrinter(name, driver, QStringLiteral("port")));
    }
};

TEST_F(PrinterRoutines, PreparationFindsThePrinterInAnyCaseAndRestoreBringsTheUserPrinterBack)
{
    install("Office Laser");
    install("VANTAMORPH", printer_driver::printToFile);
    PrinterInfo office = *spooler.printer("Office Laser");
    office.deviceMode = DeviceMode{3, 2, 9}; // the user's own: landscape A4
    spooler.setPrinter("Office Laser", printer_access::AllAccess, office);
    PrinterSetup setup(seams().print(), services);
    EXPECT_EQ(setup.PreparePrinter(nullptr), PrinterSetup::Outcome::Ready);
    EXPECT_EQ(setup.PreviousDefaultPrinter, "Office Laser"); // device name only, not ",driver,port"
    EXPECT_EQ(defaultPrinter(), "VANTAMORPH");
    // Portrait A3 in the stored defaults and in the program's printer object.
    EXPECT_EQ(spooler.printer("VANTAMORPH")->deviceMode, (DeviceMode{3, 1, 8}));
    EXPECT_EQ(setup.applicationPrinter().paperSize, 8);
    EXPECT_EQ(spooler.pendingRestore(), "Office Laser");

    setup.RestorePrinter(nullptr);
    EXPECT_EQ(defaultPrinter(), "Office Laser");
    EXPECT_EQ(spooler.printer("Office Laser")->deviceMode, office.deviceMode); // its page stays the user's
    EXPECT_EQ(spooler.pendingRestore(), "");
    EXPECT_TRUE(messageBoxTexts().isEmpty());
    EXPECT_TRUE(forms.shownForms().contains("frmAlert"));
}

TEST_F(PrinterRoutines, ARunThatEndedMidPublishGivesTheUserPrinterBack)
{
    install("Office Laser");
    install("Vantamorph", printer_driver::printToFile);
    PrinterSetup(seams().print(), services).PreparePrinter(nullptr); // and the program ends here

    // The next run's publish finds the print-to-file printer the default: the user's is the noted one.
    PrinterSetup next(seams().print(), services);
    EXPECT_EQ(next.PreparePrinter(nullptr), PrinterSetup::Outcome::Ready);
    EXPECT_EQ(next.PreviousDefaultPrinter, "Office Laser");
    next.RestoreDefaultPrinter();
    EXPECT_EQ(defaultPrinter(), "Office Laser");

    // Or the next start gives it back at once.
    PrinterSetup(seams().print(), services).PreparePrinter(nullptr);
    PrinterSetup::RestoreAfterInterruptedPublish(spooler);
    EXPECT_EQ(defaultPrinter(), "Office Laser");
    EXPECT_EQ(spooler.pendingRestore(), "");
    PrinterSetup::RestoreAfterInterruptedPublish(spooler); // nothing noted: nothing changes
    EXPECT_EQ(defaultPrinter(), "Office Laser");

    // A default the user chose since then stays.
    install("Home Inkjet");
    PrinterSetup(seams().print(), services).PreparePrinter(nullptr);
    spooler.setDefaultPrinter("Home Inkjet");
    PrinterSetup::RestoreAfterInterruptedPublish(spooler);
    EXPECT_EQ(defaultPrinter(), "Home Inkjet");
    EXPECT_EQ(spooler.pendingRestore(), "");

    // Nothing to restore: nothing happens.
    PrinterSetup blank(seams().print(), services);
    blank.RestoreDefaultPrinter();
    EXPECT_EQ(defaultPrinter(), "Home Inkjet");
}

TEST_F(PrinterRoutines, MissingPrinterWithoutInstallRightsStops)
{
    install("Office Laser");
    PrinterSetup setup(seams().print(), services);
    host->state.keepTempFolder = false;
    EXPECT_EQ(setup.PreparePrinter(nullptr), PrinterSetup::Outcome::Stopped);
    EXPECT_EQ(messageBoxTexts(), QStringList{print_names::messageNoPrinter});
    EXPECT_EQ(defaultPrinter(), "Office Laser");
}

TEST_F(PrinterRoutines, MissingPrinterIsInstalledThroughTheHelperWhenTheUserAgrees)
{
    PrinterSetup setup(seams().print(), services);
    host->state.keepTempFolder = true;

    forms.clicks = {"imgCancel"}; // No
    EXPECT_EQ(setup.PreparePrinter(nullptr), PrinterSetup::Outcome::Stopped);
    EXPECT_TRUE(processes.commandLines.isEmpty());

    forms.clicks = {"imgOK"}; // Yes, but the helper is missing
    EXPECT_EQ(setup.PreparePrinter(nullptr), PrinterSetup::Outcome::UnloadDialog);
    EXPECT_EQ(messageBoxTexts(), QStringList{print_names::messageHelperMissing});

    // A program folder with a space and a quote still names the helper as one argument.
    host->state.programFolder = root.path() + "/My \"Logo\" Tools";
    const QString helper = host->state.programFolder + "/" + print_names::helperProgram();
    writeFile(helper, "#!");
    processes.onRun = [&] { spooler.addPrinter("Vantamorph", printer_driver::printToFile, "FILE:"); };
    forms.clicks = {"imgOK"};
    EXPECT_EQ(setup.PreparePrinter(nullptr), PrinterSetup::Outcome::Ready);
    ASSERT_EQ(processes.commandLines.size(), 1);
    EXPECT_EQ(splitCommandLine(processes.commandLines.first()), QStringList{helper});
    EXPECT_EQ(defaultPrinter(), "Vantamorph");
    // No default printer before: nothing recorded, the failure logged and the publish goes on.
    EXPECT_EQ(setup.PreviousDefaultPrinter, "");
    EXPECT_FALSE(errorLog().isEmpty());
}

TEST_F(PrinterRoutines, RefusedChangesAreNotRetried)
{
    install("Office Laser");
    PrinterSetup setup(seams().print(), services);
    EXPECT_TRUE(setup.SelectPrinter("Not Installed"));
    EXPECT_EQ(defaultPrinter(), "Office Laser");

    ApplicationPrinter printer{"Office Laser", 2, 9};
    clsPrint settings(spooler, printer);
    EXPECT_TRUE(settings.SetPrinterOrientation(1, 8)); // access 0: the spooler refuses, the object still changes
    EXPECT_EQ(spooler.printer("Office Laser")->deviceMode, DeviceMode{});
    EXPECT_EQ(printer.orientation, 1);
    EXPECT_EQ(printer.paperSize, 8);
    EXPECT_EQ(settings.savedOrientation(), 2);

    printer.deviceName = "Gone";
    EXPECT_FALSE(settings.SetPrinterOrientation(1, 8));
    EXPECT_EQ(settings.savedPrinterName(), "");
    EXPECT_EQ(settings.savedOrientation(), -1);
    EXPECT_EQ(settings.savedPaperSize(), -1);
}

TEST_F(PrinterRoutines, BringWindowFrontRestoresTheMinimisedMainWindow)
{
    const WindowHandle main = windows.create("ThunderRT6FormDC", MainForm::caption);
    windows.showWindow(main, show_command::Minimize);
    PrinterSetup(seams().print(), services).BringWindowFront();
    EXPECT_FALSE(windows.isIconic(main));
    EXPECT_EQ(windows.foreground(), main);
}

// Only "Vista" changes what the program does (the crop offset, checked in the
// publish dialog's tests); the running system is never taken for it.
TEST(OsVersionName, TheRunningSystemIsNoVista)
{
    LinuxOsVersion running;
    EXPECT_EQ(GetOSVersion(running), "Failed");
}

// Each language picks its print windows' texts in PrintEndToEnd, one print per LANG.
TEST(LocaleNames, LcAllOutranksLangAndAnUnknownLocaleHasNoPromptRow)
{
    LinuxSystemLocale locale;
    ScopedVariable lang("LANG", "de_DE.UTF-8"), all("LC_ALL", "sv_SE.UTF-8"), messages("LC_MESSAGES", QByteArray());
    EXPECT_EQ(locale.languageCode(), "sv");
    qputenv("LC_ALL", "xx_YY");
    EXPECT_EQ(print_texts::promptForLanguage(locale.languageCode()), nullptr);
}

// The automation against windows made the way the platform makes them.
class Automation : public PrintFixture {
protected:
    PrintTargetState publish{false, "/out/", "logo.png", "logo.eps"};
    void SetUp() override
    {
        PrintFixture::SetUp();
        automationTimer = std::make_unique<PrintAutomation>(seams().print(), locale, [this] { return publish; });
    }
    std::unique_ptr<PrintAutomation> automationTimer;
    PrintAutomation& automation() { return *automationTimer; }

};

TEST_F(Automation, CloseThenClickConfirmsThePrintDialog)
{
    ModalWindow dialog(windows, nullptr, nullptr);
    dialog.setWindow("#32770", "Drucken");
    dialog.addControl("Button", "&Drucken", ModalWindow::Role::Confirm);
    dialog.addControl("Button", "Cancel", ModalWindow::Role::Cancel);
    QTimer::singleShot(0, [&] { automation().ClosePrintDialog(); });
    EXPECT_TRUE(dialog.exec());

    // A close alone cancels; a dialog without the row's button is only closed.
    ModalWindow other(windows, nullptr, nullptr);
    other.setWindow("#32770", "Print");
    other.addControl("Button", "Print", ModalWindow::Role::Confirm);
    QTimer::singleShot(0, [&] { automation().ClosePrintDialog(); });
    EXPECT_FALSE(other.exec());
}

TEST_F(Automation, TheTargetFollowsTheFormatAndTheWorkFolder)
{
    EXPECT_EQ(printToFileTarget(host->state, publish),
              root.path() + "/temp/tmpEPS/" + QString::number(QCoreApplication::applicationPid()) + "/logo.eps");
    host->state.keepTempFolder = true;
    EXPECT_EQ(printToFileTarget(host->state, publish), programFolder + "/bin/VmEPS/logo.eps");
    publish.vectorEps = true;
    EXPECT_EQ(printToFileTarget(host->state, publish), "/out/logo.png");
}

TEST_F(Automation, ATickWithNothingOpenChangesNothing)
{
    const WindowHandle other = windows.create("#32770", "Printer");
    const WindowHandle edit = windows.create("Edit", "", other);
    automation().Timer1_Timer();
    EXPECT_EQ(windows.text(edit), "");
    EXPECT_TRUE(windows.exists(other));
    EXPECT_TRUE(messageBoxTexts().isEmpty());
    EXPECT_TRUE(errorLog().isEmpty());
}

} // namespace
} // namespace vm::test
