#include "shell/views/image_button.h"

#include "shell/views/view_palette.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace vm {

ImageButton::ImageButton(const QString& image, const QString& label, const QString& caption, ClickHandler onClick,
                         QWidget* parent)
    : QWidget(parent), caption_(new QLabel(caption, this)), onClick_(std::move(onClick))
{
    setObjectName(image);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    caption_->setObjectName(label);
    caption_->setFocusPolicy(Qt::NoFocus);
    caption_->setAlignment(Qt::AlignCenter);
    caption_->setTextFormat(Qt::PlainText);
    QFont font = caption_->font();
    font.setBold(true);
    caption_->setFont(font);
    caption_->installEventFilter(this);
}

QSize ImageButton::sizeHint() const
{
    const QSize text = caption_->sizeHint();
    return {std::max(84, text.width() + 28), std::max(28, text.height() + 12)};
}

void ImageButton::resizeEvent(QResizeEvent*)
{
    // The label covers the caption only: the image's rim stays the image's.
    const QSize text = caption_->sizeHint();
    caption_->setGeometry(QRect(QPoint(0, 0), text).translated((width() - text.width()) / 2,
                                                                (height() - text.height()) / 2));
}

void ImageButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(area, 8, 8);
    QLinearGradient face(area.topLeft(), area.bottomLeft());
    face.setColorAt(0, pressed_ ? view_palette::background() : Qt::white);
    face.setColorAt(1, pressed_ ? view_palette::light() : view_palette::background());
    painter.fillPath(shape, face);
    painter.setPen(QPen(view_palette::dark(), 1));
    painter.drawPath(shape);
}

void ImageButton::setPressed(bool pressed)
{
    if (pressed_ != pressed) {
        pressed_ = pressed;
        update();
    }
}

void ImageButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        setPressed(true);
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setPressed(false);
    if (rect().contains(event->position().toPoint()) && onClick_)
        onClick_(objectName());
}

bool ImageButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != caption_)
        return false;
    if (event->type() == QEvent::MouseButtonPress) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            setPressed(true);
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return true;
        setPressed(false);
        if (caption_->rect().contains(mouse->position().toPoint()) && onClick_)
            onClick_(caption_->objectName());
        return true;
    }
    return false;
}

} // namespace vm
