#pragma once

#include "platform/api/form.h"
#include "shell/views/form_view.h"

#include <QDialog>
#include <QTimer>

class QLabel;

namespace vm {

// A ring of dots chasing each other, redrawn about 30 times a second while shown.
class BusyIndicator : public QWidget {
    Q_OBJECT
public:
    explicit BusyIndicator(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {56, 56}; }
    int step() const { return step_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QTimer timer_;
    int step_ = 0;
};

// The busy window of a publish: its caption, the animation and the label.
// Only the publish that opened it closes it: the close box and Esc ask it to stop.
class WaitView : public QDialog, public FormView {
    Q_OBJECT
public:
    WaitView(Form& form, QWidget* owner);

    void refreshContent() override;
    BusyIndicator* indicator() const { return indicator_; }

public slots:
    void reject() override {}

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Form& form_;
    BusyIndicator* indicator_;
    QLabel* label_;
};

} // namespace vm
