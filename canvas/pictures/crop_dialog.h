#pragma once

#include <QDialog>
#include <QImage>

class QLabel;
class QSpinBox;

namespace vm {

class CropArea;

// The crop tool: the user drags a frame over the picture and chooses a scale;
// the result shows at once. Accepting it asks the host for the crop: X, Y,
// height, width (in the scaled picture, as the converter scales before it
// crops), the picture's file name and the scale percent.
class CropDialog : public QDialog {
    Q_OBJECT
public:
    CropDialog(const QImage& picture, QString fileName, QWidget* parent = nullptr);

    // The frame in the picture's own pixels; kept inside the picture.
    void setFrame(const QRect& frame);
    QRect frame() const;
    void setScale(int percent);
    int scale() const;
    // The "cropimage" argument for the current frame and scale.
    QString request() const;
    // The picture the converter will make.
    QImage result() const;

signals:
    void cropRequested(const QString& argument);

private:
    void showResult();

    QImage picture_;
    QString fileName_;
    CropArea* area_;
    QSpinBox* scale_;
    QLabel* result_;
    QLabel* size_;
};

} // namespace vm
