#include "shell/main_form.h"

#include "platform/api/path_style.h"
#include "shell/host.h"

namespace vm {

const QString MainForm::caption = QStringLiteral("Vantamorph 7.0    ");

MainForm::MainForm(Host& host) : host_(host) {}

FormContent MainForm::content() const
{
    FormContent content;
    content.caption = caption;
    return content;
}

void MainForm::Form_Load()
{
    host_.trap.run(QStringLiteral("frmMain\\Form_Load"), [&] {
        HostState& state = host_.state;
        state.isDirty = false;
        ShowTitleBar(false);
        SetLanguage(0);
        host_.toFlash(QStringLiteral("chlang"), QStringLiteral("0"));
        state.installRoot = path_style::parentWithSeparator(state.programFolder);
        const QString flash = path_style::separator + QStringLiteral("flash") + path_style::separator;
        host_.canvasLink.loadMovie(state.installRoot + flash + QStringLiteral("LogoMain.swf"));
        host_.bitmapCanvasLink.loadMovie(state.installRoot + flash + QStringLiteral("DrawBitmap.swf"));
        setEnabled(false);
        state.publishAfterSave = false;
        host_.lifeCycle.raise(LifeCycle::collectUserFonts);
        host_.lifeCycle.raise(LifeCycle::mainWindowLoaded);
    });
}

void MainForm::SetLanguage(int index)
{
    host_.trap.run(QStringLiteral("frmMain\\SetLanguage"), [&] {
        host_.language.LoadLanguage(index);
        host_.language.LoadMenuCaptions();
        host_.mainMenu.changeMenuCaptions();
        host_.toFlash(QStringLiteral("chlang"), QString::number(index));
    });
}

void MainForm::setEnabled(bool enabled)
{
    if (window != 0)
        host_.platform.windows.setEnabled(window, enabled);
}

void MainForm::ShowTitleBar(bool show)
{
    host_.trap.run(QStringLiteral("frmMain\\ShowTitleBar"), [&] {
        WindowRegistry& windows = host_.platform.windows;
        if (window == 0)
            return;
        quint32 style = windows.style(window);
        if (!show) {
            rememberedCaption_ = windows.text(window);
            style &= ~(window_style::SysMenu | window_style::MinimizeBox | window_style::MaximizeBox);
        } else {
            windows.setText(window, rememberedCaption_);
            // The main window has its control box and both buttons.
            style |= window_style::SysMenu | window_style::MaximizeBox | window_style::MinimizeBox;
            if (!rememberedCaption_.isEmpty())
                style |= window_style::Caption;
        }
        windows.setStyle(window, style);
        windows.setWindowPos(window, windows.rect(window),
                             window_pos::NoZOrder | window_pos::FrameChanged | window_pos::NoOwnerZOrder);
    });
}

void MainForm::Form_Resize()
{
    host_.trap.run(QStringLiteral("frmMain\\Form_Resize"), [&] {
        WindowRegistry& windows = host_.platform.windows;
        if (window == 0 || windows.isIconic(window))
            return;
        WindowRect outer = windows.rect(window);
        const int minimumWidth = minimumWidthTwips / twipsPerPixel;
        const int minimumHeight = minimumHeightTwips / twipsPerPixel;
        if (outer.width < minimumWidth || outer.height < minimumHeight) {
            outer.width = std::max(outer.width, minimumWidth);
            outer.height = std::max(outer.height, minimumHeight);
            windows.setWindowPos(window, outer, window_pos::NoZOrder);
        }
        const int heightTwips = outer.height * twipsPerPixel - menuBandTwips;
        host_.canvasLink.resize(QSize(outer.width, heightTwips / twipsPerPixel));
    });
}

void MainForm::closeBox()
{
    bool cancel = false;
    Form_Unload(cancel);
}

void MainForm::Form_Unload(bool& cancel)
{
    host_.trap.run(QStringLiteral("frmMain\\Form_Unload"), [&] {
        cancel = true; // the window stays until the program ends
        if (host_.lifeCycle.ask(LifeCycle::closeQuestion))
            return;
        if (!host_.state.isDirty)
            host_.endProgram();
    });
}

void MainForm::mnuExit()
{
    host_.trap.run(QStringLiteral("frmMain\\mnuExit"), [&] {
        if (host_.lifeCycle.ask(LifeCycle::exitQuestion))
            return;
        if (!host_.state.isDirty)
            host_.endProgram();
    });
}

} // namespace vm
