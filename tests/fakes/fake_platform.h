#pragma once

#include "platform/api/platform.h"

#include <QDir>
#include <QList>
#include <QPair>
#include <QQueue>
#include <QStringList>
#include <QTemporaryDir>

namespace vm::test {

struct FakeSystemDialogs : SystemDialogs {
    struct MessageBoxCall {
        QString text;
        QString title;
        message_box::Buttons buttons;
        message_box::Icon icon;
    };
    QList<MessageBoxCall> messageBoxes;
    QQueue<message_box::Answer> messageBoxAnswers;
    QList<FileDialogRequest> fileDialogs;
    QQueue<QString> fileAnswers;

    message_box::Answer messageBox(const QString& text, const QString& title, message_box::Buttons buttons,
                                   message_box::Icon icon) override
    {
        messageBoxes.append({text, title, buttons, icon});
        return messageBoxAnswers.isEmpty() ? message_box::Answer::Ok : messageBoxAnswers.dequeue();
    }
    QString saveFile(const FileDialogRequest& request) override { return fileAnswer(request); }
    QString openFile(const FileDialogRequest& request) override { return fileAnswer(request); }

private:
    QString fileAnswer(const FileDialogRequest& request)
    {
        fileDialogs.append(request);
        return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
    }
};

struct FakeOsFacts : OsFacts {
    QString documents;
    QHash<QString, QString> variables;
    QString temp = QDir::tempPath();
    QString documentsFolder() override { return documents; }
    QString environment(const QString& name) override { return variables.value(name); }
    QString tempFolder() override { return temp; }
};

struct FakeRights : Rights {
    int status = 0;
    int environmentQuery() override { return status; }
};

struct FakeShellOpener : ShellOpener {
    QList<QPair<QString, QString>> opened;
    void open(const QString& verb, const QString& target, int) override { opened.append({verb, target}); }
};

struct FakeNetworkInfo : NetworkInfo {
    QString address = QStringLiteral("192.0.2.10");
    QString localAddress() override { return address; }
};

struct FakeProcessControl : ProcessControl {
    QList<int> exits;
    void endProcess(int exitCode) override { exits.append(exitCode); }
    bool ended() const { return !exits.isEmpty(); }
};

struct RecordingTrace : Trace {
    QStringList lines;
    void write(const QString& line) override { lines.append(line); }
    QStringList matching(const QString& prefix) const
    {
        QStringList found;
        for (const QString& line : lines)
            if (line.startsWith(prefix))
                found.append(line);
        return found;
    }
};

// Shows forms without a screen. Modal forms are answered at once by clicking
// the queued controls ("imgOK", "cmdNo", ...) or, with none queued, by their
// close box.
struct FakeFormPresenter : FormPresenter {
    struct Shown {
        QString form;
        QString message;
        QString owner;
        bool modal;
    };
    explicit FakeFormPresenter(WindowRegistry& registry) : windows(registry) {}

    WindowRegistry& windows;
    QList<Shown> shown;
    QList<QString> clicks;
    QList<const Form*> loaded;

    void showModal(Form& form, Form* owner) override
    {
        load(form, owner, true);
        if (!clicks.isEmpty())
            form.click(clicks.takeFirst());
        else if (form.name() != QLatin1String("frmWait")) // the publish closes the wait window itself
            form.closeBox();
        if (isLoaded(form))
            unload(form);
    }
    void showModeless(Form& form, Form* owner) override { load(form, owner, false); }
    void hide(Form& form) override { windows.showWindow(form.window, show_command::Hide); }
    void unload(Form& form) override
    {
        loaded.removeAll(&form);
        if (form.window)
            windows.destroy(form.window);
        form.window = 0;
    }
    void refresh(Form&) override {}
    bool isLoaded(const Form& form) const override { return loaded.contains(&form); }

    QStringList shownForms() const
    {
        QStringList names;
        for (const Shown& entry : shown)
            names.append(entry.form);
        return names;
    }

private:
    void load(Form& form, Form* owner, bool modal)
    {
        bind(form, this);
        if (!isLoaded(form)) {
            form.window = windows.create(QStringLiteral("ThunderRT6FormDC"), form.content().caption);
            windows.setWindowPos(form.window, {0, 0, 1000, 760});
            loaded.append(&form);
            form.onLoad();
        }
        windows.showWindow(form.window, show_command::Normal);
        shown.append({form.name(), form.content().message, owner ? owner->name() : QString(), modal});
    }
};

// The fake services wired into one Platform, shown through Presenter
// (the fake one, or the real Qt presenter for view tests).
template <class Presenter = FakeFormPresenter>
struct PlatformParts {
    RecordingTrace trace;
    WindowRegistry windows;
    Presenter forms{windows};
    FakeSystemDialogs dialogs;
    FakeOsFacts os;
    FakeRights rights;
    FakeShellOpener shell;
    FakeNetworkInfo network;
    FakeProcessControl process;
    Platform platform{windows, forms, dialogs, os, rights, shell, network, process, trace};
};

} // namespace vm::test
