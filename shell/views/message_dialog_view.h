#pragma once

#include "platform/api/form.h"
#include "shell/views/form_view.h"

#include <QDialog>

class QLabel;
class QHBoxLayout;

namespace vm {

// The program's own message dialogs (and any form without a view of its own):
// the message on a light panel and a row of image buttons. Enter is passed to
// the form; no other key does anything, Escape included.
class MessageDialogView : public QDialog, public FormView {
    Q_OBJECT
public:
    MessageDialogView(Form& form, QWidget* owner);

    void refreshContent() override;

public slots:
    void reject() override {}

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Form& form_;
    QLabel* message_;
    QWidget* buttonRow_;
    QHBoxLayout* buttonLayout_;
};

// Centres a top-level widget over its owner's window, or on its screen.
void centerWindow(QWidget* window, QWidget* owner);

} // namespace vm
