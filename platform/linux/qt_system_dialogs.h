#pragma once

#include "platform/api/system_dialogs.h"

namespace vm {

// The system message box and the open/save dialogs, shown modally over the
// active window.
class QtSystemDialogs : public SystemDialogs {
public:
    // The message box shows defaultTitle when the host passes no title.
    explicit QtSystemDialogs(QString defaultTitle = QStringLiteral("Vantamorph"))
        : defaultTitle_(std::move(defaultTitle)) {}

    message_box::Answer messageBox(const QString& text, const QString& title, message_box::Buttons buttons,
                                   message_box::Icon icon) override;
    QString saveFile(const FileDialogRequest& request) override;
    QString openFile(const FileDialogRequest& request) override;

private:
    QString defaultTitle_;
};

} // namespace vm
