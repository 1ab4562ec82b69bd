#include "canvas/panels/properties_panel.h"

#include "canvas/editing/logo_editor.h"
#include "canvas/look/panel_frame.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace vm {

namespace {
// The tightest curve the slider gives: a radius of this many font pixels.
constexpr double tightestRadius = 60;
constexpr int curveSteps = 100;

QDoubleSpinBox* spinBox(QWidget* parent, double low, double high, double step, int decimals, const QString& suffix = {})
{
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(low, high);
    box->setSingleStep(step);
    box->setDecimals(decimals);
    box->setSuffix(suffix);
    box->setKeyboardTracking(false);
    return box;
}

QLabel* label(const QString& text, QWidget* parent) { return new QLabel(text, parent); }

// Empties a row of buttons; one of them may be the one whose click is being handled.
void clearLayout(QLayout* layout)
{
    while (QLayoutItem* item = layout->takeAt(0)) {
        if (QWidget* widget = item->widget()) {
            widget->hide();
            widget->deleteLater();
        }
        delete item;
    }
}
} // namespace

int PropertiesPanel::curveFromRadius(double radius)
{
    if (radius == 0)
        return 0;
    const int steps = std::clamp(int(std::lround(tightestRadius * curveSteps / std::abs(radius))), 1, curveSteps);
    return radius > 0 ? steps : -steps;
}

double PropertiesPanel::radiusFromCurve(int curve)
{
    if (curve == 0)
        return 0;
    return (curve > 0 ? 1 : -1) * tightestRadius * curveSteps / std::min(std::abs(curve), curveSteps);
}

PropertiesPanel::PropertiesPanel(LogoEditor& editor, QWidget* parent) : QFrame(parent), editor_(editor)
{
    QVBoxLayout* body = decoratePanel(this, tr("Style"));
    auto* grid = new QGridLayout;
    grid->setSpacing(3);
    int row = 0;
    buildFill(grid, row);
    buildEffects(grid, row);
    body->addLayout(grid);
    buildText();
    buildShape();
    body->addWidget(textGroup_);
    body->addWidget(shapeGroup_);
    transparent_ = new QCheckBox(tr("Transparent background"), this);
    connect(transparent_, &QCheckBox::toggled, this, [this](bool on) { fromControl([&] { editor_.setBackgroundTransparent(on); }); });
    body->addWidget(transparent_);

    connect(&editor_, &LogoEditor::selectionChanged, this, [this] { sync(); });
    connect(&editor_, &LogoEditor::documentChanged, this, [this] { sync(); });
    sync();
}

void PropertiesPanel::fromControl(const std::function<void()>& change)
{
    if (!syncing_)
        change();
}

void PropertiesPanel::showColour(QToolButton* button, const QColor& colour)
{
    button->setStyleSheet(QStringLiteral("QToolButton { background: %1; border: 1px solid #7a8a9a; border-radius: 3px; }")
                              .arg(colour.name(QColor::HexRgb)));
    button->setToolTip(colour.name(colour.alpha() == 255 ? QColor::HexRgb : QColor::HexArgb));
}

QToolButton* PropertiesPanel::colourButton(const QString& tip, bool alpha, const std::function<void(const QColor&)>& chosen)
{
    auto* button = new QToolButton(this);
    button->setFixedSize(22, 22);
    button->setAccessibleName(tip);
    connect(button, &QToolButton::clicked, this, [this, button, alpha, chosen, tip] {
        auto* dialog = new QColorDialog(this);
        dialog->setWindowTitle(tip);
        dialog->setOption(QColorDialog::ShowAlphaChannel, alpha);
        dialog->setCurrentColor(QColor(button->toolTip()));
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(dialog, &QColorDialog::colorSelected, this, [chosen](const QColor& colour) { chosen(colour); });
        dialog->open();
    });
    return button;
}

void PropertiesPanel::buildFill(QGridLayout* grid, int& row)
{
    fillKind_ = new QComboBox(this);
    fillKind_->addItems({tr("Solid colour"), tr("Linear gradient"), tr("Radial gradient")});
    connect(fillKind_, &QComboBox::currentIndexChanged, this, [this](int index) {
        fill_.kind = Fill::Kind(index);
        if (fill_.kind != Fill::Kind::Solid && fill_.stops.size() < 2) {
            // A new gradient runs from the element's colour to a lighter one.
            const LogoElement* first = editor_.selectedElements().value(0);
            const QColor from = first ? first->color : QColor(Qt::black);
            fill_.stops = {{0, from}, {1, from.lighter(170)}};
        }
        applyFill();
    });
    grid->addWidget(label(tr("Fill"), this), row, 0);
    grid->addWidget(fillKind_, row++, 1);

    stopsRow_ = new QWidget(this);
    stopsLayout_ = new QHBoxLayout(stopsRow_);
    stopsLayout_->setContentsMargins(0, 0, 0, 0);
    stopsLayout_->setSpacing(2);
    grid->addWidget(label(tr("Stops"), this), row, 0);
    grid->addWidget(stopsRow_, row++, 1);
    fillAngle_ = spinBox(this, -360, 360, 15, 0, QStringLiteral("°"));
    connect(fillAngle_, &QDoubleSpinBox::valueChanged, this, [this](double angle) {
        fill_.angle = angle;
        applyFill();
    });
    grid->addWidget(label(tr("Angle"), this), row, 0);
    grid->addWidget(fillAngle_, row++, 1);

    hex_ = new QLineEdit(this);
    hex_->setPlaceholderText(QStringLiteral("#1379ce"));
    hex_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("#?[0-9A-Fa-f]{6}")), hex_));
    connect(hex_, &QLineEdit::editingFinished, this, [this] {
        QString text = hex_->text().trimmed();
        if (!text.startsWith(QLatin1Char('#')))
            text.prepend(QLatin1Char('#'));
        const QColor colour(text);
        if (colour.isValid() && hex_->hasAcceptableInput())
            fromControl([&] { editor_.setColor(colour); });
    });
    grid->addWidget(label(tr("Hex"), this), row, 0);
    grid->addWidget(hex_, row++, 1);

    palette_ = new QWidget(this);
    auto* paletteLayout = new QHBoxLayout(palette_);
    paletteLayout->setContentsMargins(0, 0, 0, 0);
    paletteLayout->setSpacing(2);
    grid->addWidget(label(tr("In use"), this), row, 0);
    grid->addWidget(palette_, row++, 1);
}

void PropertiesPanel::buildEffects(QGridLayout* grid, int& row)
{
    opacity_ = new QSlider(Qt::Horizontal, this);
    opacity_->setRange(0, 100);
    connect(opacity_, &QSlider::valueChanged, this, [this](int value) { fromControl([&] { editor_.setOpacity(value / 100.0); }); });
    grid->addWidget(label(tr("Opacity"), this), row, 0);
    grid->addWidget(opacity_, row++, 1);

    auto* outline = new QHBoxLayout;
    outlineButton_ = colourButton(tr("Outline colour"), true, [this](const QColor& colour) {
        outlineColour_ = colour;
        if (outlineWidth_->value() == 0)
            outlineWidth_->setValue(2); // a colour picked for no outline wants one
        applyOutline();
    });
    outlineWidth_ = spinBox(this, 0, limits::maxStrokeWidth, 0.5, 1, tr(" px"));
    connect(outlineWidth_, &QDoubleSpinBox::valueChanged, this, [this] { applyOutline(); });
    outline->addWidget(outlineButton_);
    outline->addWidget(outlineWidth_);
    grid->addWidget(label(tr("Outline"), this), row, 0);
    grid->addLayout(outline, row++, 1);

    auto* shadow = new QHBoxLayout;
    shadowOn_ = new QCheckBox(this);
    shadowButton_ = colourButton(tr("Shadow colour"), true, [this](const QColor& colour) {
        shadowColour_ = colour;
        applyShadow();
    });
    shadowBlur_ = spinBox(this, 0, limits::maxBlur, 1, 0);
    shadowBlur_->setToolTip(tr("Softness"));
    shadowX_ = spinBox(this, -100, 100, 1, 0);
    shadowX_->setToolTip(tr("Offset to the right"));
    shadowY_ = spinBox(this, -100, 100, 1, 0);
    shadowY_->setToolTip(tr("Offset downwards"));
    connect(shadowOn_, &QCheckBox::toggled, this, [this] { applyShadow(); });
    for (QDoubleSpinBox* box : {shadowBlur_, shadowX_, shadowY_})
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { applyShadow(); });
    for (QWidget* widget : std::initializer_list<QWidget*>{shadowOn_, shadowButton_, shadowBlur_, shadowX_, shadowY_})
        shadow->addWidget(widget);
    grid->addWidget(label(tr("Shadow"), this), row, 0);
    grid->addLayout(shadow, row++, 1);
}

void PropertiesPanel::buildText()
{
    textGroup_ = new QGroupBox(tr("Text"), this);
    auto* grid = new QGridLayout(textGroup_);
    grid->setSpacing(3);
    curve_ = new QSlider(Qt::Horizontal, textGroup_);
    curve_->setRange(-curveSteps, curveSteps);
    curve_->setToolTip(tr("Bend the text up into an arch or down into a smile; the middle is straight"));
    connect(curve_, &QSlider::valueChanged, this, [this](int value) { fromControl([&] { editor_.setArcRadius(radiusFromCurve(value)); }); });
    letterSpacing_ = spinBox(textGroup_, -50, 200, 0.5, 1, tr(" px"));
    connect(letterSpacing_, &QDoubleSpinBox::valueChanged, this,
            [this](double value) { fromControl([&] { editor_.setLetterSpacing(value); }); });
    lineSpacing_ = spinBox(textGroup_, limits::minLineSpacing, 5, 0.1, 2, QStringLiteral("×"));
    connect(lineSpacing_, &QDoubleSpinBox::valueChanged, this, [this](double value) { fromControl([&] { editor_.setLineSpacing(value); }); });
    alignment_ = new QComboBox(textGroup_);
    alignment_->addItems({tr("Left"), tr("Centre"), tr("Right")});
    connect(alignment_, &QComboBox::currentIndexChanged, this,
            [this](int index) { fromControl([&] { editor_.setAlignment(TextAlignment(index)); }); });
    textCase_ = new QComboBox(textGroup_);
    textCase_->addItems({tr("As typed"), tr("UPPER CASE"), tr("lower case")});
    connect(textCase_, &QComboBox::currentIndexChanged, this,
            [this](int index) { fromControl([&] { editor_.setTextCase(TextCase(index)); }); });
    int row = 0;
    for (const auto& [name, widget] : std::initializer_list<std::pair<QString, QWidget*>>{
             {tr("Curve"), curve_}, {tr("Letters"), letterSpacing_}, {tr("Lines"), lineSpacing_}, {tr("Align"), alignment_}, {tr("Case"), textCase_}}) {
        grid->addWidget(label(name, textGroup_), row, 0);
        grid->addWidget(widget, row++, 1);
    }
}

void PropertiesPanel::buildShape()
{
    shapeGroup_ = new QGroupBox(tr("Shape"), this);
    auto* grid = new QGridLayout(shapeGroup_);
    grid->setSpacing(3);
    cornerRadius_ = spinBox(shapeGroup_, 0, 1000, 1, 0, tr(" px"));
    connect(cornerRadius_, &QDoubleSpinBox::valueChanged, this, [this](double value) { fromControl([&] { editor_.setCornerRadius(value); }); });
    corners_ = new QSpinBox(shapeGroup_);
    corners_->setRange(limits::minSides, limits::maxSides);
    corners_->setKeyboardTracking(false);
    connect(corners_, &QSpinBox::valueChanged, this, [this](int value) { fromControl([&] { editor_.setCorners(value); }); });
    innerRatio_ = spinBox(shapeGroup_, limits::minInnerRatio, limits::maxInnerRatio, 0.05, 2);
    connect(innerRatio_, &QDoubleSpinBox::valueChanged, this, [this](double value) { fromControl([&] { editor_.setInnerRatio(value); }); });
    grid->addWidget(label(tr("Corner radius"), shapeGroup_), 0, 0);
    grid->addWidget(cornerRadius_, 0, 1);
    grid->addWidget(label(tr("Corners"), shapeGroup_), 1, 0);
    grid->addWidget(corners_, 1, 1);
    grid->addWidget(label(tr("Inner size"), shapeGroup_), 2, 0);
    grid->addWidget(innerRatio_, 2, 1);
}

void PropertiesPanel::applyFill()
{
    fromControl([&] { editor_.setFill(fill_); });
}

void PropertiesPanel::applyOutline()
{
    fromControl([&] { editor_.setOutline(outlineColour_, outlineWidth_->value()); });
}

void PropertiesPanel::applyShadow()
{
    vm::Shadow shadow;
    shadow.enabled = shadowOn_->isChecked();
    shadow.color = shadowColour_;
    shadow.blur = shadowBlur_->value();
    shadow.offset = QPointF(shadowX_->value(), shadowY_->value());
    fromControl([&] { editor_.setShadow(shadow); });
}

void PropertiesPanel::rebuildStops(const Fill& fill)
{
    clearLayout(stopsLayout_);
    for (qsizetype index = 0; index < fill.stops.size(); ++index) {
        QToolButton* button = colourButton(tr("Gradient colour %1").arg(index + 1), true, [this, index](const QColor& colour) {
            if (index < fill_.stops.size()) {
                fill_.stops[index].second = colour;
                applyFill();
            }
        });
        showColour(button, fill.stops[index].second);
        stopsLayout_->addWidget(button);
    }
    auto* add = new QToolButton(stopsRow_);
    add->setText(QStringLiteral("+"));
    add->setToolTip(tr("Add a colour in the middle of the gradient"));
    add->setEnabled(fill.stops.size() < limits::maxGradientStops);
    connect(add, &QToolButton::clicked, this, [this] {
        // Halfway between the two stops furthest apart, in their mixed colour.
        qsizetype widest = 0;
        for (qsizetype index = 1; index + 1 < fill_.stops.size(); ++index)
            if (fill_.stops[index + 1].first - fill_.stops[index].first > fill_.stops[widest + 1].first - fill_.stops[widest].first)
                widest = index;
        const QGradientStop& a = fill_.stops[widest];
        const QGradientStop& b = fill_.stops[widest + 1];
        const QColor mixed = QColor::fromRgbF((a.second.redF() + b.second.redF()) / 2, (a.second.greenF() + b.second.greenF()) / 2,
                                              (a.second.blueF() + b.second.blueF()) / 2, (a.second.alphaF() + b.second.alphaF()) / 2);
        fill_.stops.insert(widest + 1, {(a.first + b.first) / 2, mixed});
        applyFill();
    });
    auto* remove = new QToolButton(stopsRow_);
    remove->setText(QStringLiteral("−"));
    remove->setToolTip(tr("Remove the last colour but one"));
    remove->setEnabled(fill.stops.size() > 2);
    connect(remove, &QToolButton::clicked, this, [this] {
        if (fill_.stops.size() > 2) {
            fill_.stops.removeAt(fill_.stops.size() - 2);
            applyFill();
        }
    });
    stopsLayout_->addWidget(add);
    stopsLayout_->addWidget(remove);
    stopsLayout_->addStretch();
}

void PropertiesPanel::rebuildPalette()
{
    auto* layout = static_cast<QHBoxLayout*>(palette_->layout());
    clearLayout(layout);
    constexpr int shown = 10;
    for (const QColor& colour : editor_.paletteColors().mid(0, shown)) {
        auto* swatch = new QToolButton(palette_);
        swatch->setFixedSize(18, 18);
        showColour(swatch, colour);
        connect(swatch, &QToolButton::clicked, this, [this, colour] { editor_.setColor(colour); });
        layout->addWidget(swatch);
    }
    layout->addStretch();
}

void PropertiesPanel::showEvent(QShowEvent* event)
{
    sync();
    QFrame::showEvent(event);
}

void PropertiesPanel::sync()
{
    if (!isVisible())
        return; // a hidden panel catches up when it is shown
    syncing_ = true;
    const QList<const LogoElement*> selected = editor_.selectedElements();
    const LogoElement* first = selected.value(0);
    const bool painted = first && (first->kind == ElementKind::Text || first->kind == ElementKind::Shape);
    const LogoElement shown = first ? *first : LogoElement();
    fill_ = shown.fill;
    outlineColour_ = shown.strokeColor;
    shadowColour_ = shown.shadow.color;

    fillKind_->setEnabled(painted);
    fillKind_->setCurrentIndex(int(fill_.kind));
    fillAngle_->setEnabled(painted && fill_.kind == Fill::Kind::Linear);
    fillAngle_->setValue(fill_.angle);
    stopsRow_->setEnabled(painted && fill_.isGradient());
    rebuildStops(fill_);
    hex_->setEnabled(first != nullptr);
    if (!hex_->hasFocus())
        hex_->setText(first ? shown.color.name(QColor::HexRgb) : QString());
    opacity_->setEnabled(first != nullptr);
    opacity_->setValue(int(std::lround(shown.opacity * 100)));
    for (QWidget* widget : std::initializer_list<QWidget*>{outlineButton_, outlineWidth_})
        widget->setEnabled(painted);
    showColour(outlineButton_, outlineColour_);
    outlineWidth_->setValue(shown.strokeWidth);
    for (QWidget* widget : std::initializer_list<QWidget*>{shadowOn_, shadowButton_, shadowBlur_, shadowX_, shadowY_})
        widget->setEnabled(first != nullptr);
    shadowOn_->setChecked(shown.shadow.enabled);
    showColour(shadowButton_, shadowColour_);
    shadowBlur_->setValue(shown.shadow.blur);
    shadowX_->setValue(shown.shadow.offset.x());
    shadowY_->setValue(shown.shadow.offset.y());

    const bool text = first && first->kind == ElementKind::Text;
    textGroup_->setVisible(text);
    curve_->setValue(curveFromRadius(shown.arcRadius));
    letterSpacing_->setValue(shown.letterSpacing);
    lineSpacing_->setValue(shown.lineSpacing);
    alignment_->setCurrentIndex(int(shown.alignment));
    textCase_->setCurrentIndex(int(shown.textCase));

    const bool shape = first && first->kind == ElementKind::Shape;
    shapeGroup_->setVisible(shape);
    cornerRadius_->setEnabled(shown.shapeType == ShapeType::RoundedRectangle);
    cornerRadius_->setValue(shown.cornerRadius);
    corners_->setEnabled(shown.shapeType == ShapeType::Polygon || shown.shapeType == ShapeType::Star);
    corners_->setValue(shown.shapeType == ShapeType::Star ? shown.points : shown.sides);
    innerRatio_->setEnabled(shown.shapeType == ShapeType::Star);
    innerRatio_->setValue(shown.innerRatio);

    transparent_->setChecked(editor_.document().backgroundTransparent());
    rebuildPalette();
    syncing_ = false;
    adjustSize();
}

} // namespace vm
