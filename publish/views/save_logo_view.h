#pragma once

#include "shell/views/form_view.h"

#include <QDialog>
#include <QList>

class QLabel;
class QRadioButton;
class QSpinBox;

namespace vm {

class SaveLogoForm;

// The publish dialog on screen: the format options, the sizes, the
// transparent options and Publish / Cancel. Every click goes to the form,
// which decides; the view then shows the form's state again.
class SaveLogoView : public QDialog, public FormView {
public:
    SaveLogoView(SaveLogoForm& form, QWidget* owner);
    void refreshContent() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override {}

private:
    QRadioButton* option(const QString& control, const QString& text);
    QLabel* clickableLabel(const QString& control);

    SaveLogoForm& form_;
    QList<QRadioButton*> formats_;     // optExtension 0..5, transparent 6 and 7, optExtension 8 and 9
    QRadioButton* customSize_ = nullptr;
    QSpinBox* customWidth_ = nullptr;
    QSpinBox* customHeight_ = nullptr;
    QLabel* resultSize_ = nullptr;
    QList<QRadioButton*> sizes_;       // full, quarter, thumbnail
    QList<QLabel*> sizeLabels_;
    QList<QLabel*> captioned_;         // labels whose text is a language caption (object name = key)
    QLabel* publishCaption_ = nullptr;
    QLabel* cancelCaption_ = nullptr;
    bool refreshing_ = false;
};

// Registers the publish dialog's view with the Qt presenter.
class QtFormPresenter;
void registerPublishView(QtFormPresenter& presenter);

} // namespace vm
