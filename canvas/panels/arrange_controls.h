#pragma once

#include <QWidget>

class QDoubleSpinBox;
class QToolButton;

namespace vm {

class LogoEditor;

// Exact position, size and rotation of the one selected element, and the
// buttons that align, distribute, flip, lock and hide the selection.
class ArrangeControls : public QWidget {
public:
    explicit ArrangeControls(LogoEditor& editor, QWidget* parent = nullptr);

    QDoubleSpinBox* field(int index) const { return fields_[index]; }
    enum Field { X, Y, Width, Height, Rotation, FieldCount };

private:
    void sync();
    void commit();
    QToolButton* button(const QString& icon, const QString& tip, const std::function<void()>& action);

    LogoEditor& editor_;
    QDoubleSpinBox* fields_[FieldCount] = {};
    QToolButton* lock_ = nullptr;
    QToolButton* hide_ = nullptr;
    bool syncing_ = false;
};

} // namespace vm
