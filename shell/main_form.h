#pragma once

#include "shell/main_window.h"

#include <QSize>
#include <QString>

namespace vm {

class Host;

// The main window: its start-up, size rules, title bar and closing.
class MainForm : public MainWindow {
public:
    // Also the key by which another copy of the program finds this one.
    static const QString caption;
    static constexpr int twipsPerPixel = 15;
    static constexpr int minimumWidthTwips = 12000;
    static constexpr int minimumHeightTwips = 8850;
    static constexpr int menuBandTwips = 876; // what the canvas leaves to the menu bar

    explicit MainForm(Host& host);

    QString name() const override { return QStringLiteral("frmMain"); }
    FormContent content() const override;
    void onLoad() override { Form_Load(); }
    void closeBox() override;

    void Form_Load();
    void Form_Resize();
    void Form_Unload(bool& cancel);
    void ShowTitleBar(bool show) override;
    void SetLanguage(int index);
    void mnuExit();
    void setEnabled(bool enabled);

private:
    Host& host_;
    QString rememberedCaption_;
};

} // namespace vm
