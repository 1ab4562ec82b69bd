#pragma once

#include "canvas/logo/logo_document.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace vm {

// The new-logo wizard: company name, slogan and a style, then done or
// "save and publish".
class LogoWizardDialog : public QDialog {
public:
    explicit LogoWizardDialog(QWidget* parent = nullptr);

    void fill(const QString& company, const QString& slogan, const QString& style, bool publish);
    LogoDocument logo() const;
    bool publishAfterwards() const;

private:
    QLineEdit* company_;
    QLineEdit* slogan_;
    QComboBox* style_;
    QCheckBox* publish_;
};

} // namespace vm
