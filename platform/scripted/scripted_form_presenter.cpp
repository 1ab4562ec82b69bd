#include "platform/scripted/scripted_form_presenter.h"

#include "platform/api/trace.h"

#include <QEventLoop>

namespace vm {

namespace {
constexpr int enterKey = 13;

struct MessageDialog {
    const char* form;
    AnswerQueue::Kind kind;
    // The image each answer word clicks; "close" uses the close box.
    QList<QPair<const char*, const char*>> clicks;
};

const QList<MessageDialog>& messageDialogs()
{
    static const QList<MessageDialog> dialogs = {
        {"frmAlert", AnswerQueue::Kind::Alert, {{"ok", "imgOK"}}},
        {"frmMessageBoxYN", AnswerQueue::Kind::YesNo, {{"yes", "imgOK"}, {"no", "imgCancel"}}},
        {"frmMessageBoxYNC", AnswerQueue::Kind::YesNoCancel,
         {{"yes", "imgOK"}, {"no", "imgNo"}, {"cancel", "imgCancel"}}},
    };
    return dialogs;
}

const MessageDialog* messageDialog(const QString& formName)
{
    for (const MessageDialog& dialog : messageDialogs())
        if (formName == QLatin1String(dialog.form))
            return &dialog;
    return nullptr;
}

bool isPictureWindow(const QString& formName)
{
    return formName == QLatin1String("frmAbout") || formName == QLatin1String("frmCopyright");
}
} // namespace

ScriptedFormPresenter::ScriptedFormPresenter(WindowRegistry& windows, Trace& trace, AnswerQueue& answers)
    : windows_(windows), trace_(trace), answers_(answers)
{
}

ScriptedFormPresenter::~ScriptedFormPresenter()
{
    for (auto entry = loaded_.begin(); entry != loaded_.end(); ++entry)
        if (entry->loop)
            entry->loop->quit();
}

bool ScriptedFormPresenter::load(Form& form, bool quiet)
{
    bind(form, this);
    if (loaded_.contains(&form))
        return false;
    loaded_.insert(&form, Loaded{quiet, nullptr});
    form.window = windows_.create(QStringLiteral("ThunderRT6FormDC"), form.content().caption);
    form.onLoad();
    return true;
}

void ScriptedFormPresenter::showModeless(Form& form, Form*)
{
    load(form, false);
    if (!isLoaded(form)) // its loading unloaded it again
        return;
    windows_.showWindow(form.window, show_command::Normal);
    trace_.write(QStringLiteral("window ") + form.name() + QStringLiteral(" shown"));
}

void ScriptedFormPresenter::showModal(Form& form, Form* owner)
{
    const QString name = form.name();
    if (messageDialog(name))
        answerMessage(form, owner);
    else if (isPictureWindow(name))
        answerPicture(form, owner);
    else
        runModal(form);
}

void ScriptedFormPresenter::answerMessage(Form& form, Form* owner)
{
    const MessageDialog& dialog = *messageDialog(form.name());
    load(form, true);
    if (!isLoaded(form))
        return;
    windows_.showWindow(form.window, show_command::Normal);
    const std::optional<QString> answer = answers_.take(dialog.kind);
    if (!answer) {
        writeDialog(form, owner, QStringLiteral("enter (unanswered)"));
        form.keyPress(enterKey);
    } else {
        writeDialog(form, owner, *answer);
        if (*answer == QLatin1String("close")) {
            form.closeBox();
        } else {
            for (const auto& [word, image] : dialog.clicks)
                if (*answer == QLatin1String(word))
                    form.click(QString::fromLatin1(image));
        }
    }
    // A dialog whose handler failed must not stay up: nobody could close it.
    if (isLoaded(form))
        unload(form);
}

void ScriptedFormPresenter::answerPicture(Form& form, Form* owner)
{
    load(form, true);
    if (!isLoaded(form))
        return;
    windows_.showWindow(form.window, show_command::Normal);
    writeDialog(form, owner, QStringLiteral("close"));
    form.closeBox();
    if (isLoaded(form))
        unload(form);
}

void ScriptedFormPresenter::runModal(Form& form)
{
    load(form, false);
    if (!isLoaded(form))
        return;
    windows_.showWindow(form.window, show_command::Normal);
    trace_.write(QStringLiteral("window ") + form.name() + QStringLiteral(" shown"));
    auto entry = loaded_.find(&form);
    if (entry->loop) // already running modal further up the stack
        return;
    QEventLoop loop;
    entry->loop = &loop;
    loop.exec();
    // unload() has cleared the entry; a presenter going away has quit the loop.
}

void ScriptedFormPresenter::writeDialog(const Form& form, const Form* owner, const QString& outcome)
{
    trace_.write(QStringLiteral("dialog ") + form.name() + QLatin1Char(' ') + Trace::quote(form.content().message)
                 + QStringLiteral(" owner=") + (owner ? owner->name() : QStringLiteral("none"))
                 + QStringLiteral(" -> ") + outcome);
}

void ScriptedFormPresenter::hide(Form& form)
{
    if (!isLoaded(form))
        return;
    windows_.showWindow(form.window, show_command::Hide);
    if (!loaded_.value(&form).quiet)
        trace_.write(QStringLiteral("window ") + form.name() + QStringLiteral(" hidden"));
}

void ScriptedFormPresenter::unload(Form& form)
{
    const auto entry = loaded_.constFind(&form);
    if (entry == loaded_.cend())
        return;
    const Loaded record = *entry;
    loaded_.erase(entry);
    if (form.window)
        windows_.destroy(form.window);
    form.window = 0;
    if (!record.quiet)
        trace_.write(QStringLiteral("window ") + form.name() + QStringLiteral(" unloaded"));
    if (record.loop)
        record.loop->quit();
}

void ScriptedFormPresenter::refresh(Form& form)
{
    if (isLoaded(form) && form.window)
        windows_.setText(form.window, form.content().caption);
}

bool ScriptedFormPresenter::isLoaded(const Form& form) const
{
    return loaded_.contains(&form);
}

Form* ScriptedFormPresenter::loadedForm(const QString& name) const
{
    for (auto it = loaded_.cbegin(); it != loaded_.cend(); ++it)
        if (it.key()->name() == name)
            return const_cast<Form*>(it.key());
    return nullptr;
}

bool ScriptedFormPresenter::modalOpen() const
{
    for (const Loaded& entry : loaded_)
        if (entry.loop)
            return true;
    return false;
}

} // namespace vm
