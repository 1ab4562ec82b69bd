#pragma once

#include "platform/api/window_registry.h"

#include <QList>
#include <QString>

namespace vm {

// A button of the program's own dialogs: a caption label lying over an image.
struct FormButton {
    QString image;   // "imgOK"
    QString label;   // "cmdYes"
    QString caption; // the label's text
};

// What a window shows. Views render it; scripted sessions print it.
struct FormContent {
    QString caption;        // the window's title
    QString message;        // the main text (lblMessage, lblSavingMessage, lblFormat)
    QString picturePath;    // the window's picture, empty for none
    QList<FormButton> buttons;
    bool busyAnimation = false; // the wait window's animation
};

// The logic side of a window. The view (or a script) calls back into it.
class Form {
public:
    virtual ~Form() = default;
    virtual QString name() const = 0; // "frmAlert"
    virtual FormContent content() const { return {}; }
    virtual void click(const QString& control) { Q_UNUSED(control); }
    virtual void keyPress(int charCode) { Q_UNUSED(charCode); }
    // The window's own close control. Windows without a close handler unload.
    virtual void closeBox();
    // Runs when the presenter has made the window, before it is shown.
    virtual void onLoad() {}

    // Set by the presenter while the window is loaded.
    WindowHandle window = 0;

protected:
    friend class FormPresenter;
    class FormPresenter* presenter_ = nullptr;
};

// Shows and unloads forms. The Qt presenter makes widgets; the scripted one
// answers from a script and writes what it showed to the transcript.
class FormPresenter {
public:
    virtual ~FormPresenter() = default;
    // Returns when the form has been unloaded.
    virtual void showModal(Form& form, Form* owner) = 0;
    virtual void showModeless(Form& form, Form* owner) = 0;
    virtual void hide(Form& form) = 0;
    virtual void unload(Form& form) = 0;
    // The form's content changed (caption, message, buttons).
    virtual void refresh(Form& form) = 0;
    virtual bool isLoaded(const Form& form) const = 0;
    // Whether a modal form is open now, for automation.
    virtual bool modalOpen() const { return false; }
    // A loaded form by its name, for automation; null when none is loaded.
    virtual Form* loadedForm(const QString& name) const { Q_UNUSED(name); return nullptr; }

protected:
    static void bind(Form& form, FormPresenter* presenter) { form.presenter_ = presenter; }
    static FormPresenter* presenterOf(const Form& form) { return form.presenter_; }
};

inline void Form::closeBox()
{
    if (presenter_)
        presenter_->unload(*this);
}

} // namespace vm
