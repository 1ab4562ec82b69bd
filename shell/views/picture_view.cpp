#include "shell/views/picture_view.h"

#include "shell/views/message_dialog_view.h"
#include "shell/views/view_palette.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

namespace vm {

namespace {
Qt::WindowFlags flagsFor(PictureView::Frame frame)
{
    if (frame == PictureView::Frame::None)
        return Qt::SplashScreen | Qt::FramelessWindowHint;
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
           | Qt::MSWindowsFixedSizeDialogHint;
}

// What shows when the picture file is missing or unreadable: the window keeps a sensible size.
QPixmap standIn(const QString& text)
{
    QPixmap pixmap(360, 150);
    pixmap.fill(view_palette::background());
    QPainter painter(&pixmap);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPointSize(18);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, text.isEmpty() ? QStringLiteral("Vantamorph") : text);
    return pixmap;
}
} // namespace

PictureView::PictureView(Form& form, QWidget* owner, Frame frame)
    : QDialog(frame == Frame::None ? nullptr : owner, flagsFor(frame)), form_(form), frame_(frame),
      picture_(new QLabel(this))
{
    setObjectName(form.name());
    QPalette colors = palette();
    colors.setColor(QPalette::Window, view_palette::background());
    setPalette(colors);
    setAutoFillBackground(true);
    picture_->setObjectName(QStringLiteral("picture"));
    picture_->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(picture_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    refreshContent();
    centerWindow(this, frame == Frame::None ? nullptr : owner);
}

void PictureView::refreshContent()
{
    const FormContent content = form_.content();
    setWindowTitle(content.caption);
    QPixmap pixmap;
    if (!content.picturePath.isEmpty())
        pixmap.load(content.picturePath);
    if (pixmap.isNull())
        pixmap = standIn(content.caption);
    picture_->setPixmap(pixmap);
    picture_->setFixedSize(pixmap.size());
    adjustSize();
}

void PictureView::keyPressEvent(QKeyEvent* event)
{
    event->accept(); // no key closes these windows
}

void PictureView::closeEvent(QCloseEvent* event)
{
    event->ignore();
    form_.closeBox();
}

} // namespace vm
