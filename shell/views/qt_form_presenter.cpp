#include "shell/views/qt_form_presenter.h"

#include "shell/views/form_view.h"
#include "shell/views/message_dialog_view.h"
#include "shell/views/widget_window_peer.h"

#include <QEventLoop>

namespace vm {

const QString QtFormPresenter::formClassName = QStringLiteral("ThunderRT6FormDC");

QtFormPresenter::QtFormPresenter(WindowRegistry& windows) : windows_(windows) {}

QtFormPresenter::~QtFormPresenter()
{
    // The widgets outlive nothing of ours: close them with their windows.
    const QList<const Form*> forms = loaded_.keys();
    for (const Form* form : forms)
        unload(const_cast<Form&>(*form));
}

void QtFormPresenter::registerView(const QString& formName, ViewFactory factory)
{
    factories_.insert(formName, std::move(factory));
}

bool QtFormPresenter::isLoaded(const Form& form) const
{
    return loaded_.contains(&form);
}

QWidget* QtFormPresenter::widgetOf(const Form& form) const
{
    const auto found = loaded_.constFind(&form);
    return found == loaded_.cend() ? nullptr : found->widget.data();
}

QWidget* QtFormPresenter::load(Form& form, Form* owner)
{
    if (QWidget* existing = widgetOf(form))
        return existing;
    QWidget* ownerWidget = owner ? widgetOf(*owner) : nullptr;
    const ViewFactory factory = factories_.value(form.name());
    QWidget* widget = factory ? factory(form, ownerWidget) : nullptr;
    if (!widget)
        widget = new MessageDialogView(form, ownerWidget);

    bind(form, this);
    auto* peer = new WidgetWindowPeer(widget);
    form.window = windows_.create(formClassName, widget->windowTitle(), 0, peer);
    windows_.noteGeometry(form.window, toWindowRect(widget->frameGeometry()));
    loaded_.insert(&form, Loaded{widget, widget, {}});
    // A widget can go with its parent (an owner that unloaded first).
    QObject::connect(widget, &QObject::destroyed, &connections_, [this, form = &form, widget] { forget(form, widget); });

    form.onLoad();
    return widgetOf(form);
}

void QtFormPresenter::show(Form& form, QWidget* widget)
{
    widget->show();
    widget->raise();
    widget->activateWindow();
    if (form.window != 0) {
        windows_.noteShown(form.window, show_command::Normal);
        windows_.noteGeometry(form.window, toWindowRect(widget->frameGeometry()));
    }
}

void QtFormPresenter::showModeless(Form& form, Form* owner)
{
    QWidget* widget = load(form, owner);
    if (widget)
        show(form, widget);
}

void QtFormPresenter::showModal(Form& form, Form* owner)
{
    QWidget* widget = load(form, owner);
    if (!widget)
        return;
    widget->setWindowModality(Qt::ApplicationModal);
    show(form, widget);
    const auto found = loaded_.find(&form);
    if (found == loaded_.end())
        return;
    // Canvas commands and timers keep arriving inside this loop.
    QEventLoop loop;
    found->modalLoops.append(&loop);
    loop.exec(QEventLoop::DialogExec);
    if (const auto still = loaded_.find(&form); still != loaded_.end())
        still->modalLoops.removeOne(&loop);
}

void QtFormPresenter::quitLoops(Loaded& loaded)
{
    for (QEventLoop* loop : std::as_const(loaded.modalLoops))
        loop->quit();
    loaded.modalLoops.clear();
}

void QtFormPresenter::hide(Form& form)
{
    const auto found = loaded_.find(&form);
    if (found == loaded_.end())
        return;
    // A hidden modal form returns control to the code that showed it.
    quitLoops(*found);
    if (found->widget) {
        found->widget->setWindowModality(Qt::NonModal);
        found->widget->hide();
    }
    if (form.window != 0)
        windows_.noteShown(form.window, show_command::Hide);
}

void QtFormPresenter::unload(Form& form)
{
    const auto found = loaded_.find(&form);
    if (found == loaded_.end())
        return;
    Loaded loaded = *found;
    loaded_.erase(found);
    quitLoops(loaded);
    if (form.window != 0)
        windows_.destroy(form.window);
    form.window = 0;
    if (loaded.widget) {
        loaded.widget->hide();
        // Unload usually comes from one of the widget's own handlers.
        loaded.widget->deleteLater();
    }
}

void QtFormPresenter::forget(const Form* form, QWidget* widget)
{
    const auto found = loaded_.find(form);
    if (found == loaded_.end() || found->identity != widget)
        return; // unloaded already, or loaded again with another widget
    found->widget = nullptr; // being destroyed: not ours to hide or delete
    unload(const_cast<Form&>(*form));
}

void QtFormPresenter::refresh(Form& form)
{
    QWidget* widget = widgetOf(form);
    if (!widget)
        return;
    auto* view = dynamic_cast<FormView*>(widget);
    if (view)
        view->refreshContent();
    if (!view || view->titleFromContent()) {
        const QString caption = form.content().caption;
        widget->setWindowTitle(caption);
        if (form.window != 0 && windows_.text(form.window) != caption)
            windows_.setText(form.window, caption);
    }
}

} // namespace vm
