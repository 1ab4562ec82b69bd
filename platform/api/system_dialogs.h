#pragma once

#include <QString>

namespace vm {

namespace message_box {
// Buttons and icon of the system message box.
enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Icon { None, Information, Question, Exclamation, Critical };
enum class Answer { Ok, Yes, No, Cancel };
} // namespace message_box

struct FileDialogRequest {
    QString title;
    QString fileName;   // initial file name
    QString filter;     // "Vantamorph Logos (*.vmp)| *.vmp"
    int filterIndex = 1;
    bool overwritePrompt = false;
    bool pathMustExist = false;
    bool hideReadOnly = false;
};

// The system's own dialogs: the plain message box and the open/save dialogs.
class SystemDialogs {
public:
    virtual ~SystemDialogs() = default;
    virtual message_box::Answer messageBox(const QString& text, const QString& title, message_box::Buttons buttons,
                                           message_box::Icon icon) = 0;
    // The chosen path, or an empty string when the user cancelled.
    virtual QString saveFile(const FileDialogRequest& request) = 0;
    virtual QString openFile(const FileDialogRequest& request) = 0;
};

} // namespace vm
