#pragma once

#include "platform/api/form.h"
#include "shell/views/form_view.h"

#include <QDialog>

class QLabel;

namespace vm {

// A window that shows one picture at its natural size: the start-up splash
// (frameless, centred on the screen) or the About and Copyright windows.
class PictureView : public QDialog, public FormView {
    Q_OBJECT
public:
    enum class Frame { None, Window };

    PictureView(Form& form, QWidget* owner, Frame frame);

    void refreshContent() override;

public slots:
    void reject() override {}

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Form& form_;
    Frame frame_;
    QLabel* picture_;
};

} // namespace vm
