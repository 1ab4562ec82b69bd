#include "shell/views/wait_view.h"

#include "shell/views/message_dialog_view.h"
#include "shell/views/view_palette.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

#include <cmath>

namespace vm {

namespace {
constexpr int dotCount = 12;
constexpr int frameMilliseconds = 33;
} // namespace

BusyIndicator::BusyIndicator(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("busyIndicator"));
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(sizeHint());
    timer_.setInterval(frameMilliseconds);
    connect(&timer_, &QTimer::timeout, this, [this] {
        step_ = (step_ + 1) % dotCount;
        update();
    });
}

void BusyIndicator::showEvent(QShowEvent*)
{
    timer_.start();
}

void BusyIndicator::hideEvent(QHideEvent*)
{
    timer_.stop();
}

void BusyIndicator::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QPointF centre = QRectF(rect()).center();
    const double radius = std::min(width(), height()) / 2.0 - 6;
    for (int dot = 0; dot < dotCount; ++dot) {
        // The head dot is darkest; the tail fades behind it.
        const int age = (step_ - dot + dotCount) % dotCount;
        QColor colour = view_palette::dark();
        colour.setAlphaF(1.0 - age / double(dotCount));
        const double angle = 2 * M_PI * dot / dotCount - M_PI / 2;
        const QPointF at = centre + QPointF(std::cos(angle), std::sin(angle)) * radius;
        painter.setBrush(colour);
        painter.drawEllipse(at, 4.5, 4.5);
    }
}

WaitView::WaitView(Form& form, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                         | Qt::MSWindowsFixedSizeDialogHint),
      form_(form), indicator_(new BusyIndicator(this)), label_(new QLabel(this))
{
    setObjectName(form.name());
    QPalette colors = palette();
    colors.setColor(QPalette::Window, view_palette::light());
    setPalette(colors);
    setAutoFillBackground(true);
    label_->setObjectName(QStringLiteral("lblFormat"));
    label_->setTextFormat(Qt::PlainText);
    label_->setFocusPolicy(Qt::NoFocus);
    QFont font = label_->font();
    font.setBold(true);
    label_->setFont(font);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(24, 18, 32, 18);
    layout->setSpacing(18);
    layout->addWidget(indicator_);
    layout->addWidget(label_, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    refreshContent();
    centerWindow(this, owner);
}

void WaitView::refreshContent()
{
    const FormContent content = form_.content();
    setWindowTitle(content.caption);
    label_->setText(content.message);
    indicator_->setVisible(content.busyAnimation);
    adjustSize();
}

void WaitView::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    if (event->key() == Qt::Key_Escape)
        form_.keyPress(27);
}

void WaitView::closeEvent(QCloseEvent* event)
{
    event->ignore();
    form_.closeBox();
}

} // namespace vm
