#include "publish/views/save_logo_view.h"

#include "publish/save_logo_form.h"
#include "shell/views/image_button.h"
#include "shell/views/qt_form_presenter.h"
#include "shell/views/view_palette.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vm {

namespace {
constexpr int enterKey = 13;

// A label that reports its clicks as its own control.
class ClickLabel : public QLabel {
public:
    ClickLabel(const QString& control, std::function<void(const QString&)> onClick, QWidget* parent)
        : QLabel(parent), onClick_(std::move(onClick))
    {
        setObjectName(control);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (isEnabled() && rect().contains(event->position().toPoint()))
            onClick_(objectName());
    }

private:
    std::function<void(const QString&)> onClick_;
};

QLabel* heading(const QString& key, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(key);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}
} // namespace

SaveLogoView::SaveLogoView(SaveLogoForm& form, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), form_(form)
{
    setObjectName(form.name());
    QPalette colors = palette();
    colors.setColor(QPalette::Window, view_palette::background());
    setPalette(colors);
    setAutoFillBackground(true);

    auto* title = heading(QStringLiteral("lblSaveFileFormat"), this);
    auto* formatHeading = heading(QStringLiteral("lblSelectFormat"), this);
    auto* sizeHeading = heading(QStringLiteral("lblSelectSize"), this);
    auto* transparentHeading = heading(QStringLiteral("lblTransparentlogo"), this);
    captioned_ << title << formatHeading << sizeHeading << transparentHeading;

    // Six formats in two rows, the vector files drawn straight from the canvas
    // below them, the transparent pair on a line of its own.
    auto* formats = new QGridLayout;
    auto* transparent = new QHBoxLayout;
    int cell = 0;
    for (const publish_formats::Row& row : publish_formats::all()) {
        const int index = int(row.format);
        if (row.transparent) {
            QRadioButton* button = option(QStringLiteral("transparent%1").arg(index), QString());
            formats_ << button;
            transparent->addWidget(button);
            continue;
        }
        QRadioButton* button = option(QStringLiteral("optExtension%1").arg(index), row.title);
        formats_ << button;
        formats->addWidget(button, cell / 3, cell % 3);
        ++cell;
    }

    auto* sizes = new QGridLayout;
    const QStringList sizeOptions = {QStringLiteral("optFullSize"), QStringLiteral("optQuarter"), QStringLiteral("optThumbnail")};
    const QStringList sizeLabels = {QStringLiteral("lblFullSize"), QStringLiteral("lblQuarter"), QStringLiteral("lblThumbnail")};
    for (int index = 0; index < 3; ++index) {
        QRadioButton* button = option(sizeOptions[index], QString());
        sizes_ << button;
        QLabel* label = clickableLabel(sizeLabels[index]);
        sizeLabels_ << label;
        sizes->addWidget(button, index, 0);
        sizes->addWidget(label, index, 1);
    }
    sizes->setColumnStretch(1, 1);

    // A size of the user's own; 0 leaves that side to follow the other.
    customSize_ = option(QStringLiteral("optCustomSize"), QStringLiteral("Custom size"));
    auto* custom = new QHBoxLayout;
    const auto sideBox = [this](const QString& control) {
        auto* box = new QSpinBox(this);
        box->setObjectName(control);
        box->setRange(0, 20000);
        box->setSpecialValueText(QStringLiteral("auto"));
        box->setSuffix(QStringLiteral(" px"));
        connect(box, &QSpinBox::valueChanged, this, [this, control](int value) {
            if (!refreshing_)
                form_.click(control + QLatin1Char('=') + QString::number(value));
        });
        return box;
    };
    customWidth_ = sideBox(QStringLiteral("txtWidth"));
    customHeight_ = sideBox(QStringLiteral("txtHeight"));
    custom->addWidget(customSize_);
    custom->addWidget(new QLabel(QStringLiteral("Width"), this));
    custom->addWidget(customWidth_);
    custom->addWidget(new QLabel(QStringLiteral("Height"), this));
    custom->addWidget(customHeight_);
    custom->addStretch();
    resultSize_ = new QLabel(this);
    resultSize_->setObjectName(QStringLiteral("lblResultSize"));

    const auto click = [this](const QString& control) { form_.click(control); };
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* publish = new ImageButton(QStringLiteral("imgSave"), QStringLiteral("lblPublish"), QString(), click, this);
    auto* cancel = new ImageButton(QStringLiteral("imgCancel"), QStringLiteral("lblCancel"), QString(), click, this);
    publishCaption_ = publish->captionLabel();
    cancelCaption_ = cancel->captionLabel();
    buttons->addWidget(publish);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(8);
    layout->addWidget(title);
    layout->addWidget(formatHeading);
    layout->addLayout(formats);
    layout->addWidget(transparentHeading);
    layout->addLayout(transparent);
    layout->addWidget(sizeHeading);
    layout->addLayout(sizes);
    layout->addLayout(custom);
    layout->addWidget(resultSize_);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(380, 0)));
    refreshContent();
}

QRadioButton* SaveLogoView::option(const QString& control, const QString& text)
{
    auto* button = new QRadioButton(text, this);
    button->setObjectName(control);
    button->setAutoExclusive(false); // the form owns the choice
    button->setFocusPolicy(Qt::NoFocus);
    // The form decides and asks for a refresh; the button shows its choice, not the click.
    connect(button, &QRadioButton::clicked, this, [this, control] {
        if (!refreshing_)
            form_.click(control);
    });
    return button;
}

QLabel* SaveLogoView::clickableLabel(const QString& control)
{
    auto* label = new ClickLabel(control, [this](const QString& name) { form_.click(name); }, this);
    captioned_ << label;
    return label;
}

void SaveLogoView::refreshContent()
{
    refreshing_ = true;
    setWindowTitle(form_.content().caption);
    for (QLabel* label : captioned_)
        label->setText(form_.caption(label->objectName()));
    publishCaption_->setText(form_.caption(QStringLiteral("cmdPublish")));
    cancelCaption_->setText(form_.caption(QStringLiteral("cmdCancel")));
    formats_[6]->setText(form_.caption(QStringLiteral("lblTransparentPNG")));
    formats_[7]->setText(form_.caption(QStringLiteral("lblTransparentGIF")));
    for (int index = 0; index < formats_.size(); ++index)
        formats_[index]->setChecked(form_.format() == index);
    for (int index = 0; index < sizes_.size(); ++index) {
        const bool enabled = index == 0 || form_.smallSizesEnabled();
        sizes_[index]->setEnabled(enabled);
        sizeLabels_[index]->setEnabled(enabled);
        sizes_[index]->setChecked(!form_.customSize() && int(form_.size()) == index);
    }
    const bool picture = form_.format() != SaveLogoForm::Eps && form_.format() != SaveLogoForm::VectorEps
                         && form_.format() != SaveLogoForm::Svg && form_.format() != SaveLogoForm::Pdf
                         && form_.format() != SaveLogoForm::NoFormat;
    customSize_->setEnabled(picture);
    customSize_->setChecked(picture && form_.customSize());
    customWidth_->setEnabled(picture);
    customHeight_->setEnabled(picture);
    customWidth_->setValue(form_.customWidth());
    customHeight_->setValue(form_.customHeight());
    const QString result = form_.resultSizeText();
    resultSize_->setText(result.isEmpty() ? QString() : QStringLiteral("Result: ") + result);
    refreshing_ = false;
}

void SaveLogoView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        form_.keyPress(enterKey);
}

void SaveLogoView::closeEvent(QCloseEvent* event)
{
    event->ignore();
    form_.closeBox();
}

void registerPublishView(QtFormPresenter& presenter)
{
    presenter.registerView(QStringLiteral("frmSaveLogo"), [](Form& form, QWidget* owner) -> QWidget* {
        auto* dialog = dynamic_cast<SaveLogoForm*>(&form);
        return dialog ? new SaveLogoView(*dialog, owner) : nullptr;
    });
}

} // namespace vm
