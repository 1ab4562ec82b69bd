#pragma once

#include "platform/api/form.h"
#include "platform/api/window_registry.h"

#include <QHash>
#include <QObject>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

class QEventLoop;

namespace vm {

// Shows forms as Qt widgets. Each loaded form has one widget (made by the
// view registered under the form's name, or the message-dialog view) and one
// window in the registry, whose peer mirrors the host's window calls.
class QtFormPresenter : public FormPresenter {
public:
    using ViewFactory = std::function<QWidget*(Form& form, QWidget* parent)>;

    // Ordinary forms register under this window class.
    static const QString formClassName;

    explicit QtFormPresenter(WindowRegistry& windows);
    ~QtFormPresenter() override;
    QtFormPresenter(const QtFormPresenter&) = delete;
    QtFormPresenter& operator=(const QtFormPresenter&) = delete;

    void registerView(const QString& formName, ViewFactory factory);

    void showModal(Form& form, Form* owner) override;
    void showModeless(Form& form, Form* owner) override;
    void hide(Form& form) override;
    void unload(Form& form) override;
    void refresh(Form& form) override;
    bool isLoaded(const Form& form) const override;

    // The widget of a loaded form, nullptr otherwise.
    QWidget* widgetOf(const Form& form) const;

private:
    struct Loaded {
        QPointer<QWidget> widget;
        QWidget* identity = nullptr; // which widget, even while it is being destroyed
        QList<QEventLoop*> modalLoops; // the showModal calls waiting for this form
    };

    // Makes the view and the window, then runs the form's loading. Returns the
    // widget, or nullptr when the form unloaded itself while loading.
    QWidget* load(Form& form, Form* owner);
    void show(Form& form, QWidget* widget);
    void forget(const Form* form, QWidget* widget);
    void quitLoops(Loaded& loaded);

    WindowRegistry& windows_;
    QHash<QString, ViewFactory> factories_;
    QHash<const Form*, Loaded> loaded_;
    QObject connections_; // ends our widget connections when the presenter goes
};

} // namespace vm
