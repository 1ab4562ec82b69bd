#include "platform/scripted/scripted_system_dialogs.h"

#include "platform/api/trace.h"

#include <QList>

namespace vm {

namespace {
using message_box::Answer;

QList<Answer> buttonsOf(message_box::Buttons buttons)
{
    switch (buttons) {
    case message_box::Buttons::YesNo: return {Answer::Yes, Answer::No};
    case message_box::Buttons::YesNoCancel: return {Answer::Yes, Answer::No, Answer::Cancel};
    case message_box::Buttons::Ok: break;
    }
    return {Answer::Ok};
}

QString word(Answer answer)
{
    switch (answer) {
    case Answer::Ok: return QStringLiteral("ok");
    case Answer::Yes: return QStringLiteral("yes");
    case Answer::No: return QStringLiteral("no");
    case Answer::Cancel: return QStringLiteral("cancel");
    }
    return QString();
}
} // namespace

message_box::Answer ScriptedSystemDialogs::messageBox(const QString& text, const QString& title,
                                                      message_box::Buttons buttons, message_box::Icon)
{
    const QList<Answer> offered = buttonsOf(buttons);
    Answer chosen = offered.first();
    QString note;
    if (const std::optional<QString> queued = answers_.take(AnswerQueue::Kind::MsgBox)) {
        bool found = false;
        for (const Answer button : offered)
            if (word(button) == *queued) {
                chosen = button;
                found = true;
            }
        // A box has only its own buttons: an answer it does not offer presses the first.
        if (!found)
            note = QStringLiteral(" (no button ") + Trace::quote(*queued) + QLatin1Char(')');
    } else {
        note = QStringLiteral(" (unanswered)");
    }
    trace_.write(QStringLiteral("msgbox ") + Trace::quote(text) + QStringLiteral(" title=") + Trace::quote(title)
                 + QStringLiteral(" -> ") + word(chosen) + note);
    return chosen;
}

QString ScriptedSystemDialogs::saveFile(const FileDialogRequest& request)
{
    return fileDialog(QStringLiteral("save"), AnswerQueue::Kind::SaveFile, request);
}

QString ScriptedSystemDialogs::openFile(const FileDialogRequest& request)
{
    return fileDialog(QStringLiteral("open"), AnswerQueue::Kind::OpenFile, request);
}

QString ScriptedSystemDialogs::fileDialog(const QString& mode, AnswerQueue::Kind kind, const FileDialogRequest& request)
{
    const std::optional<QString> queued = answers_.take(kind);
    const QString path = queued.value_or(QString());
    trace_.write(QStringLiteral("filedialog ") + mode + QLatin1Char(' ') + Trace::quote(request.title) + QLatin1Char(' ')
                 + Trace::quote(request.filter) + QStringLiteral(" -> ") + Trace::quote(path)
                 + (queued ? QString() : QStringLiteral(" (unanswered)")));
    return path;
}

} // namespace vm
