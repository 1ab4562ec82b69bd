#include "canvas/wizard/wizard_dialog.h"

#include "canvas/wizard/wizard_logo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

LogoWizardDialog::LogoWizardDialog(QWidget* parent)
    : QDialog(parent), company_(new QLineEdit(this)), slogan_(new QLineEdit(this)), style_(new QComboBox(this)),
      publish_(new QCheckBox(tr("Save and publish the logo when finished"), this))
{
    setWindowTitle(tr("New logo wizard"));
    company_->setPlaceholderText(tr("Your Company"));
    slogan_->setPlaceholderText(tr("A short slogan (optional)"));
    style_->addItems(wizardStyles());
    auto* form = new QFormLayout;
    form->addRow(tr("Company name:"), company_);
    form->addRow(tr("Slogan:"), slogan_);
    form->addRow(tr("Style:"), style_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Finish"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Tell us about your business; you can change everything afterwards."), this));
    layout->addLayout(form);
    layout->addWidget(publish_);
    layout->addWidget(buttons);
}

void LogoWizardDialog::fill(const QString& company, const QString& slogan, const QString& style, bool publish)
{
    company_->setText(company);
    slogan_->setText(slogan);
    style_->setCurrentText(style);
    publish_->setChecked(publish);
}

LogoDocument LogoWizardDialog::logo() const { return wizardLogo(company_->text(), slogan_->text(), style_->currentText()); }
bool LogoWizardDialog::publishAfterwards() const { return publish_->isChecked(); }

} // namespace vm
