#include "platform/linux/qt_system_dialogs.h"

#include "platform/linux/file_dialog_filter.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace vm {

namespace {

QMessageBox::Icon qtIcon(message_box::Icon icon)
{
    switch (icon) {
    case message_box::Icon::Information: return QMessageBox::Information;
    case message_box::Icon::Question: return QMessageBox::Question;
    case message_box::Icon::Exclamation: return QMessageBox::Warning;
    case message_box::Icon::Critical: return QMessageBox::Critical;
    case message_box::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(message_box::Buttons buttons)
{
    switch (buttons) {
    case message_box::Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case message_box::Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case message_box::Buttons::Ok: break;
    }
    return QMessageBox::Ok;
}

// What closing the box without a button means for each set of buttons.
message_box::Answer dismissed(message_box::Buttons buttons)
{
    switch (buttons) {
    case message_box::Buttons::YesNo: return message_box::Answer::No;
    case message_box::Buttons::YesNoCancel: return message_box::Answer::Cancel;
    case message_box::Buttons::Ok: break;
    }
    return message_box::Answer::Ok;
}

QString runFileDialog(const FileDialogRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(QApplication::activeWindow(), request.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (mode == QFileDialog::AcceptSave && !request.overwritePrompt)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);

    const QStringList filters = qtNameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        // The host counts filters from 1.
        if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
            dialog.selectNameFilter(filters[request.filterIndex - 1]);
    }
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);

    if (dialog.exec() != QDialog::Accepted)
        return QString(QLatin1String(""));
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString(QLatin1String("")) : chosen.first();
}

} // namespace

message_box::Answer QtSystemDialogs::messageBox(const QString& text, const QString& title,
                                                message_box::Buttons buttons, message_box::Icon icon)
{
    QMessageBox box(qtIcon(icon), title.isEmpty() ? defaultTitle_ : title, text, qtButtons(buttons),
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText); // host texts are never markup
    switch (box.exec()) {
    case QMessageBox::Ok: return message_box::Answer::Ok;
    case QMessageBox::Yes: return message_box::Answer::Yes;
    case QMessageBox::No: return message_box::Answer::No;
    case QMessageBox::Cancel: return message_box::Answer::Cancel;
    default: return dismissed(buttons);
    }
}

QString QtSystemDialogs::saveFile(const FileDialogRequest& request)
{
    return runFileDialog(request, QFileDialog::AcceptSave);
}

QString QtSystemDialogs::openFile(const FileDialogRequest& request)
{
    return runFileDialog(request, QFileDialog::AcceptOpen);
}

} // namespace vm
