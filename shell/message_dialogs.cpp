#include "shell/message_dialogs.h"

#include "shell/host_state.h"
#include "shell/log/error_trap.h"

namespace vm {

MessageDialogs::MessageDialogs(FormPresenter& presenter, Language& language, ErrorTrap& trap, HostState& state)
    : presenter_(presenter), trap_(trap), state_(state), alert_(presenter, language, trap),
      yesNo_(presenter, language, trap), yesNoCancel_(presenter, language, trap)
{
}

void MessageDialogs::Alert(const QString& message, Form* owner)
{
    trap_.run(QStringLiteral("mdlForAll\\Alert"), [&] {
        alert_.setMessage(message);
        // A quick publish has no dialog on screen: its alert goes over the main window.
        presenter_.showModal(alert_, state_.quickPublishing ? mainForm_ : owner);
        state_.quickPublishing = false;
    });
}

int MessageDialogs::AlertOK(const QString& message, Form* owner)
{
    trap_.run(QStringLiteral("mdlForAll\\AlertOK"), [&] {
        alert_.setMessage(message);
        presenter_.showModal(alert_, state_.quickPublishing ? mainForm_ : owner);
        state_.quickPublishing = false;
    });
    return 1;
}

bool MessageDialogs::MessageBoxYN(const QString& message, Form* owner)
{
    return trap_.value(QStringLiteral("mdlForAll\\MessageBoxYN"), false, [&] {
        yesNo_.setMessage(message);
        presenter_.showModal(yesNo_, owner);
        return yesNo_.GetReturn() != 0;
    });
}

int MessageDialogs::MessageBoxYNCancel(const QString& message, Form* owner)
{
    return trap_.value(QStringLiteral("mdlForAll\\MessageBoxYNCancel"), 0, [&] {
        yesNoCancel_.setMessage(message);
        presenter_.showModal(yesNoCancel_, owner);
        return yesNoCancel_.GetReturn();
    });
}

} // namespace vm
