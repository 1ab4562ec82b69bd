#include "canvas/pictures/crop_dialog.h"

#include "protocol/field_separator.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainterPath>
#include <QPushButton>
#include <QPainter>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>
#include <functional>

namespace vm {

namespace {
constexpr int areaSide = 360;
constexpr int resultSide = 200;
} // namespace

// The picture fitted into the area with the frame over it: a drag outside the
// frame draws a new one, a drag inside moves it.
class CropArea : public QWidget {
public:
    CropArea(const QImage& picture, std::function<void()> changed, QWidget* parent)
        : QWidget(parent), picture_(picture), changed_(std::move(changed))
    {
        setFixedSize(areaSide, areaSide);
        setCursor(Qt::CrossCursor);
        const QSizeF fitted = QSizeF(picture.size()).scaled(QSizeF(areaSide - 8, areaSide - 8), Qt::KeepAspectRatio);
        shown_ = QRectF(QPointF((areaSide - fitted.width()) / 2, (areaSide - fitted.height()) / 2), fitted);
        frame_ = picture.rect();
    }

    QRect frame() const { return frame_; }
    void setFrame(const QRect& frame)
    {
        frame_ = frame.normalized().intersected(picture_.rect());
        if (frame_.isEmpty())
            frame_ = picture_.rect();
        update();
        changed_();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0x2b, 0x33, 0x3d));
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(shown_, picture_);
        const QRectF shownFrame = toScreen(frame_);
        QPainterPath outside;
        outside.addRect(shown_);
        outside.addRect(shownFrame);
        painter.fillPath(outside, QColor(0, 0, 0, 120));
        painter.setPen(QPen(QColor(0x4d, 0xb3, 0xff), 2, Qt::DashLine));
        painter.drawRect(shownFrame);
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        const QPointF at = toPicture(event->position());
        // A frame over the whole picture leaves nothing to move: every drag draws a new one.
        moving_ = frame_ != picture_.rect() && QRectF(frame_).contains(at);
        anchor_ = at;
        frameAtPress_ = frame_;
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (!(event->buttons() & Qt::LeftButton))
            return;
        const QPointF at = toPicture(event->position());
        if (moving_) {
            QRect moved = frameAtPress_.translated((at - anchor_).toPoint());
            moved.moveLeft(std::clamp(moved.left(), 0, picture_.width() - moved.width()));
            moved.moveTop(std::clamp(moved.top(), 0, picture_.height() - moved.height()));
            setFrame(moved);
        } else {
            setFrame(QRectF(anchor_, at).normalized().toAlignedRect());
        }
    }

private:
    double ratio() const { return picture_.width() > 0 ? shown_.width() / picture_.width() : 1; }
    QRectF toScreen(const QRect& frame) const
    {
        return QRectF(shown_.topLeft() + QPointF(frame.topLeft()) * ratio(), QSizeF(frame.size()) * ratio());
    }
    QPointF toPicture(const QPointF& point) const
    {
        const QPointF at = (point - shown_.topLeft()) / ratio();
        return QPointF(std::clamp(at.x(), 0.0, double(picture_.width())), std::clamp(at.y(), 0.0, double(picture_.height())));
    }

    const QImage& picture_;
    std::function<void()> changed_;
    QRectF shown_;
    QRect frame_;
    QRect frameAtPress_;
    QPointF anchor_;
    bool moving_ = false;
};

CropDialog::CropDialog(const QImage& picture, QString fileName, QWidget* parent)
    : QDialog(parent), picture_(picture), fileName_(std::move(fileName)), scale_(new QSpinBox(this)),
      result_(new QLabel(this)), size_(new QLabel(this))
{
    setWindowTitle(tr("Crop picture"));
    area_ = new CropArea(picture_, [this] { showResult(); }, this);
    scale_->setRange(5, 400);
    scale_->setSuffix(QStringLiteral(" %"));
    scale_->setValue(100);
    result_->setFixedSize(resultSide, resultSide);
    result_->setAlignment(Qt::AlignCenter);
    result_->setStyleSheet(QStringLiteral("background: #ffffff; border: 1px solid #9fb7cf;"));
    connect(scale_, &QSpinBox::valueChanged, this, [this] { showResult(); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Crop"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        emit cropRequested(request());
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* side = new QVBoxLayout;
    side->addWidget(new QLabel(tr("Drag a frame over the picture; drag inside it to move it."), this));
    auto* scaleRow = new QHBoxLayout;
    scaleRow->addWidget(new QLabel(tr("Scale:"), this));
    scaleRow->addWidget(scale_);
    scaleRow->addStretch();
    side->addLayout(scaleRow);
    side->addWidget(new QLabel(tr("Result:"), this));
    side->addWidget(result_);
    side->addWidget(size_);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(area_);
    top->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    showResult();
}

void CropDialog::setFrame(const QRect& frame) { area_->setFrame(frame); }
QRect CropDialog::frame() const { return area_->frame(); }
void CropDialog::setScale(int percent) { scale_->setValue(percent); }
int CropDialog::scale() const { return scale_->value(); }

QString CropDialog::request() const
{
    const QRect frame = area_->frame();
    const double factor = scale() / 100.0;
    const auto scaled = [factor](int value) { return QString::number(std::max(0L, std::lround(value * factor))); };
    const auto side = [factor](int value) { return QString::number(std::max(1L, std::lround(value * factor))); };
    return scaled(frame.x()) + fieldSeparator + scaled(frame.y()) + fieldSeparator + side(frame.height()) + fieldSeparator
           + side(frame.width()) + fieldSeparator + fileName_ + fieldSeparator + QString::number(scale());
}

QImage CropDialog::result() const
{
    const QRect frame = area_->frame();
    const double factor = scale() / 100.0;
    const QSize size(std::max(1L, std::lround(frame.width() * factor)), std::max(1L, std::lround(frame.height() * factor)));
    return picture_.copy(frame).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void CropDialog::showResult()
{
    const QImage cropped = result();
    // Shown as large as the box allows; the line below says its real size.
    result_->setPixmap(QPixmap::fromImage(cropped.scaled(QSize(resultSide - 4, resultSide - 4), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    size_->setText(tr("%1 × %2 pixels").arg(cropped.width()).arg(cropped.height()));
}

} // namespace vm
