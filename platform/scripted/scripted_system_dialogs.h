#pragma once

#include "platform/api/system_dialogs.h"
#include "platform/scripted/answer_queue.h"

namespace vm {

class Trace;

// The system message box and file dialogs, answered from the script's queue
// and written to the transcript. Unanswered, a message box takes its first
// button and a file dialog is cancelled.
class ScriptedSystemDialogs : public SystemDialogs {
public:
    ScriptedSystemDialogs(Trace& trace, AnswerQueue& answers) : trace_(trace), answers_(answers) {}

    message_box::Answer messageBox(const QString& text, const QString& title, message_box::Buttons buttons,
                                   message_box::Icon icon) override;
    QString saveFile(const FileDialogRequest& request) override;
    QString openFile(const FileDialogRequest& request) override;

private:
    QString fileDialog(const QString& mode, AnswerQueue::Kind kind, const FileDialogRequest& request);

    Trace& trace_;
    AnswerQueue& answers_;
};

} // namespace vm
