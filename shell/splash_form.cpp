#include "shell/splash_form.h"

#include "platform/api/path_style.h"
#include "shell/host.h"

namespace vm {

SplashForm::SplashForm(Host& host) : host_(host)
{
    timer_.setInterval(tickMilliseconds);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Timer1_Timer(); });
}

FormContent SplashForm::content() const
{
    FormContent content;
    content.picturePath = host_.state.programFolder + path_style::separator + QStringLiteral("Images")
                          + path_style::separator + QStringLiteral("Splash.gif");
    return content;
}

void SplashForm::Form_Load()
{
    host_.trap.run(QStringLiteral("frmSplash\\Form_Load"), [&] {
        tickCounter_ = 0;
        host_.tempFolder.PrepareTempFolder();
        CheckMenuLibrary(host_.platform.dialogs);
        timer_.start();
    });
}

bool SplashForm::FindRunningInstance()
{
    WindowRegistry& windows = host_.platform.windows;
    const WindowHandle other = windows.findWindow(QString(), MainForm::caption);
    if (other == 0)
        return false;
    // The running copy opens the project this one was started with; a copy
    // that does not take it leaves this one to run and open it itself.
    const QString project = host_.state.commandLineProject;
    if (!project.isEmpty() && !windows.sendData(other, openProjectRequest + project))
        return false;
    if (windows.isIconic(other))
        windows.showWindow(other, show_command::Restore);
    windows.setForeground(other);
    return true;
}

void SplashForm::Timer1_Timer()
{
    host_.trap.run(QStringLiteral("frmSplash\\Timer1_Timer"), [&] {
        tickCounter_ += 10;
        if (tickCounter_ <= 100)
            return;
        timer_.stop();
        if (FindRunningInstance()) {
            host_.endProgram();
            return;
        }
        FormPresenter& forms = host_.platform.forms;
        forms.showModeless(host_.mainForm, nullptr);
        host_.mainForm.setEnabled(true);
        host_.platform.windows.publish(host_.mainForm.window);
        forms.unload(*this);
    });
}

} // namespace vm
