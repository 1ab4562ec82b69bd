#include "canvas/reference/wizard_dialog.h"

#include "canvas/logo/logo_renderer.h"
#include "canvas/reference/wizard_logo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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

TemplateDialog::TemplateDialog(LogoRenderer& renderer, QWidget* parent) : QDialog(parent), list_(new QListWidget(this))
{
    setWindowTitle(tr("Start from a template"));
    list_->setViewMode(QListView::IconMode);
    list_->setIconSize(QSize(160, 125));
    list_->setMovement(QListView::Static);
    for (const QString& style : wizardStyles()) {
        const QImage preview = renderer.render(wizardLogo(QString(), tr("Slogan goes here"), style), 160.0 / 507, Qt::white);
        new QListWidgetItem(QIcon(QPixmap::fromImage(preview)), style, list_);
    }
    list_->setCurrentRow(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(600, 360);
}

LogoDocument TemplateDialog::chosen() const
{
    const QString style = list_->currentItem() ? list_->currentItem()->text() : wizardStyles().value(0);
    return wizardLogo(QString(), tr("Slogan goes here"), style);
}

} // namespace vm
