#pragma once

#include "canvas/logo/logo_document.h"

#include <QFrame>
#include <functional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QSlider;
class QSpinBox;
class QToolButton;

namespace vm {

class LogoEditor;

// The style of the selected elements: fill (colour or gradient), opacity,
// outline, shadow, the text settings of a text and the corners of a shape;
// the logo's palette and its background. Every change goes through the editor.
class PropertiesPanel : public QFrame {
public:
    PropertiesPanel(LogoEditor& editor, QWidget* parent);

    // The controls show the first selected element (when the panel is shown).
    void sync();

    QSlider* curveSlider() const { return curve_; }
    QComboBox* fillKindBox() const { return fillKind_; }
    QLineEdit* hexEntry() const { return hex_; }
    QCheckBox* transparentBox() const { return transparent_; }
    QWidget* paletteRow() const { return palette_; }

    // The curve slider's position for an arc radius and back: the slider
    // bends more towards its ends, 0 is straight.
    static int curveFromRadius(double radius);
    static double radiusFromCurve(int curve);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildFill(QGridLayout* grid, int& row);
    void buildText();
    void buildShape();
    void buildEffects(QGridLayout* grid, int& row);
    void rebuildPalette();
    void rebuildStops(const Fill& fill);
    void applyFill();
    void applyShadow();
    void applyOutline();
    // Runs a change from a control unless the controls are being set from the logo.
    void fromControl(const std::function<void()>& change);
    QToolButton* colourButton(const QString& tip, bool alpha, const std::function<void(const QColor&)>& chosen);
    static void showColour(QToolButton* button, const QColor& colour);

    LogoEditor& editor_;
    bool syncing_ = false;
    Fill fill_;
    QColor outlineColour_{Qt::black};
    QColor shadowColour_;

    QComboBox* fillKind_ = nullptr;
    QDoubleSpinBox* fillAngle_ = nullptr;
    QWidget* stopsRow_ = nullptr;
    QHBoxLayout* stopsLayout_ = nullptr;
    QLineEdit* hex_ = nullptr;
    QWidget* palette_ = nullptr;
    QSlider* opacity_ = nullptr;
    QToolButton* outlineButton_ = nullptr;
    QDoubleSpinBox* outlineWidth_ = nullptr;
    QCheckBox* shadowOn_ = nullptr;
    QToolButton* shadowButton_ = nullptr;
    QDoubleSpinBox* shadowBlur_ = nullptr;
    QDoubleSpinBox* shadowX_ = nullptr;
    QDoubleSpinBox* shadowY_ = nullptr;
    QGroupBox* textGroup_ = nullptr;
    QSlider* curve_ = nullptr;
    QDoubleSpinBox* letterSpacing_ = nullptr;
    QDoubleSpinBox* lineSpacing_ = nullptr;
    QComboBox* alignment_ = nullptr;
    QComboBox* textCase_ = nullptr;
    QGroupBox* shapeGroup_ = nullptr;
    QDoubleSpinBox* cornerRadius_ = nullptr;
    QSpinBox* corners_ = nullptr;
    QDoubleSpinBox* innerRatio_ = nullptr;
    QCheckBox* transparent_ = nullptr;
};

} // namespace vm
