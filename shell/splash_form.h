#pragma once

#include "platform/api/form.h"

#include <QTimer>

namespace vm {

class Host;

// The start-up window: shown for about half a second while the work folder is
// prepared, then it hands over to the main window, or to a copy of the
// program that is already running.
class SplashForm : public Form {
public:
    static constexpr int tickMilliseconds = 50;
    // The text one copy hands another to open a project: this, then the path.
    static inline const QString openProjectRequest = QStringLiteral("open project ");

    explicit SplashForm(Host& host);

    QString name() const override { return QStringLiteral("frmSplash"); }
    FormContent content() const override;
    void onLoad() override { Form_Load(); }
    void closeBox() override {}

    void Form_Load();
    void Timer1_Timer();
    bool FindRunningInstance();

private:
    Host& host_;
    QTimer timer_;
    int tickCounter_ = 0;
};

} // namespace vm
