#pragma once

#include <QLabel>
#include <QWidget>
#include <functional>

namespace vm {

// The dialogs' buttons: a rounded painted image with a caption label lying
// over it. Each reports its own clicks, as two separate controls would.
// Neither takes keyboard focus: keys belong to the dialog.
class ImageButton : public QWidget {
    Q_OBJECT
public:
    using ClickHandler = std::function<void(const QString& control)>;

    ImageButton(const QString& image, const QString& label, const QString& caption, ClickHandler onClick,
                QWidget* parent);

    QLabel* captionLabel() const { return caption_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setPressed(bool pressed);

    QLabel* caption_;
    ClickHandler onClick_;
    bool pressed_ = false;
};

} // namespace vm
