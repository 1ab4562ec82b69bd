#include "print/print_automation.h"

#include "platform/api/print_window_texts.h"
#include "print/os_version.h"
#include "print/print_names.h"
#include "shell/temp_folder.h"

#include <QCoreApplication>

namespace vm {

namespace {
// FindWindow among this program's own windows. The registry's own look-up also
// asks the other running copies over the desktop channel, a socket round trip
// per title; the print windows are always ours, and the tick must stay cheap.
WindowHandle findOwnWindow(const WindowRegistry& windows, const QString& className, const QString& title)
{
    for (const WindowHandle window : windows.topLevelWindows())
        if (windows.text(window) == title
            && (className.isEmpty() || windows.className(window).compare(className, Qt::CaseInsensitive) == 0))
            return window;
    return 0;
}
} // namespace

QString printToFileTarget(const HostState& state, const PrintTargetState& publish)
{
    if (publish.vectorEps)
        return publish.targetFolder + publish.targetFileName;
    if (state.keepTempFolder)
        return workBinFolderOf(state) + path_style::separator + QStringLiteral("VmEPS") + path_style::separator
               + publish.printedEpsName;
    return workFolderOf(state) + path_style::separator + publish.printedEpsName;
}

PrintAutomation::PrintAutomation(const PrintSeams& host, SystemLocale& locale, std::function<PrintTargetState()> publishState)
    : host_(host), locale_(locale), publishState_(std::move(publishState))
{
    timer_.setInterval(intervalMs);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &PrintAutomation::Timer1_Timer);
}

void PrintAutomation::setEnabled(bool enabled)
{
    if (enabled)
        timer_.start();
    else
        timer_.stop();
}

void PrintAutomation::Timer1_Timer()
{
    ClosePrintDialog();
    CloseOutPutInputBox();
}

void PrintAutomation::ClosePrintDialog()
{
    try {
        WindowRegistry& windows = host_.platform.windows;
        for (const print_texts::PrintDialogText& row : print_texts::printDialogTable()) {
            if (const WindowHandle dialog = findOwnWindow(windows, print_texts::dialogClass, row.title))
                windows.sendClose(dialog);
            const WindowHandle again = findOwnWindow(windows, print_texts::dialogClass, row.title);
            if (!again)
                continue;
            if (const WindowHandle button = windows.findWindowEx(again, 0, print_texts::buttonClass, row.printButton))
                windows.sendClick(button);
            break;
        }
    } catch (...) {
        host_.platform.dialogs.messageBox(print_names::messageClosePrinter, QStringLiteral("Vantamorph"),
                                          message_box::Buttons::Ok, message_box::Icon::None);
    }
}

void PrintAutomation::CloseOutPutInputBox()
{
    host_.trap.run(QStringLiteral("frmSaveLogo\\CloseOutPutInputBox"), [&] {
        const QString target = printToFileTarget(host_.state, publishState_ ? publishState_() : PrintTargetState{});
        // The table names one territory per language; every territory of it (de_AT
        // as de_DE, en_GB as en_US) shows that language's prompt.
        const print_texts::PromptText* row = print_texts::promptForLanguage(locale_.languageCode());
        WindowRegistry& windows = host_.platform.windows;
        if (row) {
            const WindowHandle prompt = findOwnWindow(windows, QString(), row->title);
            if (!prompt)
                return;
            for (WindowHandle edit = windows.findWindowEx(prompt, 0, print_texts::editClass); edit;
                 edit = windows.findWindowEx(prompt, edit, print_texts::editClass)) {
                if (windows.text(edit).isEmpty()) {
                    windows.setText(edit, target);
                    break;
                }
            }
            if (const WindowHandle button =
                    windows.findWindowEx(prompt, 0, QStringLiteral("Button"), row->confirmButton))
                windows.sendClick(button);
            QCoreApplication::processEvents();
        }
    });
}

} // namespace vm
