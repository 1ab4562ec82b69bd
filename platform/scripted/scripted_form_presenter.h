#pragma once

#include "platform/api/form.h"
#include "platform/scripted/answer_queue.h"

#include <QHash>

class QEventLoop;

namespace vm {

class Trace;

// Shows the program's forms without a screen. Each loaded form has a window
// in the registry, so the program finds them as it would on screen.
//
// The message dialogs and the picture windows are answered on the spot from
// the script's queue and leave one `dialog` line; every other form writes
// `window FORM shown|hidden|unloaded`, and a modal one runs its own event
// loop until the program unloads it (the script keeps running meanwhile).
class ScriptedFormPresenter : public FormPresenter {
public:
    ScriptedFormPresenter(WindowRegistry& windows, Trace& trace, AnswerQueue& answers);
    ~ScriptedFormPresenter() override;

    void showModal(Form& form, Form* owner) override;
    void showModeless(Form& form, Form* owner) override;
    void hide(Form& form) override;
    void unload(Form& form) override;
    void refresh(Form& form) override;
    bool isLoaded(const Form& form) const override;
    Form* loadedForm(const QString& name) const override;
    bool modalOpen() const override;

private:
    struct Loaded {
        bool quiet = false;          // answered dialogs leave no window lines
        QEventLoop* loop = nullptr;  // a modal form's loop, while it runs
    };

    // Makes the form's window and runs its loading; false when it was loaded already.
    bool load(Form& form, bool quiet);
    void answerMessage(Form& form, Form* owner);
    void answerPicture(Form& form, Form* owner);
    void runModal(Form& form);
    void writeDialog(const Form& form, const Form* owner, const QString& outcome);

    WindowRegistry& windows_;
    Trace& trace_;
    AnswerQueue& answers_;
    QHash<const Form*, Loaded> loaded_;
};

} // namespace vm
