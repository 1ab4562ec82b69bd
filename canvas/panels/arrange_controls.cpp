#include "canvas/panels/arrange_controls.h"

#include "canvas/editing/logo_editor.h"
#include "canvas/look/editor_look.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QToolButton>

namespace vm {

ArrangeControls::ArrangeControls(LogoEditor& editor, QWidget* parent) : QWidget(parent), editor_(editor)
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(3);
    const QString labels[FieldCount] = {tr("X"), tr("Y"), tr("W"), tr("H"), tr("Angle")};
    for (int index = 0; index < FieldCount; ++index) {
        auto* field = new QDoubleSpinBox(this);
        field->setDecimals(1);
        field->setRange(index == Width || index == Height ? 1 : -9999, 9999);
        field->setKeyboardTracking(false);
        field->setSuffix(index == Rotation ? QStringLiteral("°") : QString());
        if (index == Rotation)
            field->setRange(-360, 360);
        field->setMaximumWidth(74);
        connect(field, &QDoubleSpinBox::valueChanged, this, [this] { commit(); });
        fields_[index] = field;
        layout->addWidget(new QLabel(labels[index], this), index / 2, (index % 2) * 2);
        layout->addWidget(field, index / 2, (index % 2) * 2 + 1);
    }

    auto* buttons = new QGridLayout;
    buttons->setSpacing(1);
    const auto align = [this](Alignment alignment) { return [this, alignment] { editor_.alignSelected(alignment); }; };
    const QList<QToolButton*> row1 = {
        button(QStringLiteral("align-left"), tr("Align left"), align(Alignment::Left)),
        button(QStringLiteral("align-center-horizontal"), tr("Align centres horizontally"), align(Alignment::HorizontalCentre)),
        button(QStringLiteral("align-right"), tr("Align right"), align(Alignment::Right)),
        button(QStringLiteral("align-top"), tr("Align top"), align(Alignment::Top)),
        button(QStringLiteral("align-center-vertical"), tr("Align centres vertically"), align(Alignment::VerticalCentre)),
        button(QStringLiteral("align-bottom"), tr("Align bottom"), align(Alignment::Bottom)),
    };
    lock_ = button(QStringLiteral("lock-simple"), tr("Lock the selection in place (Ctrl+Shift+L)"), [this] {
        editor_.setLocked(editor_.selection(), lock_->isChecked());
    });
    hide_ = button(QStringLiteral("eye-slash"), tr("Hide the selection (Ctrl+Shift+H)"), [this] {
        editor_.setHidden(editor_.selection(), hide_->isChecked());
    });
    lock_->setCheckable(true);
    hide_->setCheckable(true);
    const QList<QToolButton*> row2 = {
        button(QStringLiteral("arrows-out-line-horizontal"), tr("Distribute horizontally: equal gaps"),
               [this] { editor_.distributeSelected(Qt::Horizontal); }),
        button(QStringLiteral("arrows-out-line-vertical"), tr("Distribute vertically: equal gaps"),
               [this] { editor_.distributeSelected(Qt::Vertical); }),
        button(QStringLiteral("flip-horizontal"), tr("Flip horizontally (Shift+H)"), [this] { editor_.flipSelected(Qt::Horizontal); }),
        button(QStringLiteral("flip-vertical"), tr("Flip vertically (Shift+V)"), [this] { editor_.flipSelected(Qt::Vertical); }),
        lock_,
        hide_,
    };
    for (int column = 0; column < row1.size(); ++column) {
        buttons->addWidget(row1[column], 0, column);
        buttons->addWidget(row2[column], 1, column);
    }
    layout->addLayout(buttons, 3, 0, 1, 4);
    auto* hint = new QLabel(tr("One element aligns to the stage."), this);
    editor_look::setLook(hint, "hint");
    layout->addWidget(hint, 4, 0, 1, 4);

    connect(&editor_, &LogoEditor::selectionChanged, this, [this] { sync(); });
    connect(&editor_, &LogoEditor::documentChanged, this, [this] { sync(); });
    sync();
}

QToolButton* ArrangeControls::button(const QString& icon, const QString& tip, const std::function<void()>& action)
{
    auto* button = new QToolButton(this);
    button->setIcon(editor_look::icon(icon));
    button->setIconSize(QSize(18, 18));
    button->setToolTip(tip);
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, this, action);
    return button;
}

void ArrangeControls::sync()
{
    const QList<const LogoElement*> selected = editor_.selectedElements();
    const LogoElement* one = selected.size() == 1 ? selected.first() : nullptr;
    syncing_ = true;
    for (QDoubleSpinBox* field : fields_)
        field->setEnabled(one && !one->locked);
    if (one) {
        fields_[X]->setValue(one->position.x());
        fields_[Y]->setValue(one->position.y());
        fields_[Width]->setValue(one->size.width());
        fields_[Height]->setValue(one->size.height());
        fields_[Rotation]->setValue(one->rotation);
    }
    const bool anyLocked = std::any_of(selected.begin(), selected.end(), [](const LogoElement* element) { return element->locked; });
    const bool anyHidden = std::any_of(selected.begin(), selected.end(), [](const LogoElement* element) { return element->hidden; });
    lock_->setChecked(anyLocked);
    hide_->setChecked(anyHidden);
    lock_->setEnabled(!selected.isEmpty());
    hide_->setEnabled(!selected.isEmpty());
    syncing_ = false;
}

void ArrangeControls::commit()
{
    if (syncing_)
        return;
    const QList<const LogoElement*> selected = editor_.selectedElements();
    if (selected.size() != 1)
        return;
    editor_.setGeometry(selected.first()->id, QPointF(fields_[X]->value(), fields_[Y]->value()),
                        QSizeF(fields_[Width]->value(), fields_[Height]->value()), fields_[Rotation]->value());
}

} // namespace vm
