#include "platform/print_views/qt_modal_window_view.h"

#include "platform/api/spooler.h"

#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

QtModalWindowView::~QtModalWindowView()
{
    for (const QPointer<QDialog>& dialog : std::as_const(dialogs_))
        delete dialog.data();
}

void QtModalWindowView::shown(ModalWindow& window)
{
    auto* dialog = new QDialog;
    dialog->setWindowTitle(window.title());
    dialog->setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(dialog);
    auto* buttons = new QHBoxLayout;
    QHash<int, QLineEdit*> edits;
    const QList<ModalWindow::Control>& controls = window.controls();
    for (int index = 0; index < controls.size(); ++index) {
        const ModalWindow::Control& control = controls.at(index);
        if (control.className.compare(QLatin1String("Button"), Qt::CaseInsensitive) == 0) {
            auto* button = new QPushButton(control.text, dialog);
            QObject::connect(button, &QPushButton::clicked, dialog, [&window, index] { window.userClick(index); });
            buttons->addWidget(button);
        } else if (control.className == QLatin1String("Edit")) {
            auto* edit = new QLineEdit(control.text, dialog);
            edit->setMinimumWidth(360);
            QObject::connect(edit, &QLineEdit::textEdited, dialog,
                             [&window, index](const QString& text) { window.userSetText(index, text); });
            edits.insert(index, edit);
            layout->addWidget(edit);
        } else if (control.className == QLatin1String("ComboBox")) {
            auto* choice = new QComboBox(dialog);
            for (const PrinterInfo& printer : spooler_.printers())
                choice->addItem(printer.printerName);
            choice->setCurrentText(control.text);
            QObject::connect(choice, &QComboBox::currentTextChanged, dialog,
                             [&window, index](const QString& text) { window.userSetText(index, text); });
            layout->addWidget(choice);
        } else {
            layout->addWidget(new QLabel(control.text, dialog));
        }
    }
    layout->addLayout(buttons);
    // Text typed in by message shows in the edit line.
    window.onText = [edits](int index, const QString& text) {
        if (QLineEdit* edit = edits.value(index); edit && edit->text() != text)
            edit->setText(text);
    };
    QObject::connect(dialog, &QDialog::rejected, dialog, [&window] { window.userClose(); });
    dialogs_.insert(&window, dialog);
    dialog->show();
}

void QtModalWindowView::closed(ModalWindow& window)
{
    window.onText = nullptr;
    if (QPointer<QDialog> dialog = dialogs_.take(&window)) {
        dialog->disconnect();
        dialog->hide();
        dialog->deleteLater();
    }
}

} // namespace vm
