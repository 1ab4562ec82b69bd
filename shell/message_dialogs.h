#pragma once

#include "shell/message_forms.h"

#include <QString>

namespace vm {

struct HostState;

// The four ways the program asks and tells the user through its own dialogs.
class MessageDialogs {
public:
    MessageDialogs(FormPresenter& presenter, Language& language, ErrorTrap& trap, HostState& state);

    // The main window, over which a quick publish shows its one alert.
    void setMainForm(Form* mainForm) { mainForm_ = mainForm; }

    void Alert(const QString& message, Form* owner);
    int AlertOK(const QString& message, Form* owner); // always 1
    bool MessageBoxYN(const QString& message, Form* owner);
    int MessageBoxYNCancel(const QString& message, Form* owner); // 1 Yes, 0 No, 2 Cancel

    AlertForm& alertForm() { return alert_; }
    MessageBoxYNForm& yesNoForm() { return yesNo_; }
    MessageBoxYNCForm& yesNoCancelForm() { return yesNoCancel_; }

private:
    FormPresenter& presenter_;
    ErrorTrap& trap_;
    HostState& state_;
    Form* mainForm_ = nullptr;
    AlertForm alert_;
    MessageBoxYNForm yesNo_;
    MessageBoxYNCForm yesNoCancel_;
};

} // namespace vm
