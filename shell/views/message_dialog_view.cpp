#include "shell/views/message_dialog_view.h"

#include "shell/views/image_button.h"
#include "shell/views/view_palette.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace vm {

namespace {
constexpr int dialogWidth = 380;
constexpr int enterKey = 13;
} // namespace

void centerWindow(QWidget* window, QWidget* owner)
{
    QRect area;
    if (owner && owner->window()->isVisible())
        area = owner->window()->frameGeometry();
    else if (QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isEmpty())
        return;
    const QSize size = window->frameGeometry().size();
    window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

MessageDialogView::MessageDialogView(Form& form, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                         | Qt::MSWindowsFixedSizeDialogHint),
      form_(form), message_(new QLabel(this)), buttonRow_(new QWidget(this)),
      buttonLayout_(new QHBoxLayout(buttonRow_))
{
    setObjectName(form.name());
    setFocusPolicy(Qt::StrongFocus);
    QPalette colors = palette();
    colors.setColor(QPalette::Window, view_palette::background());
    colors.setColor(QPalette::WindowText, Qt::black);
    setPalette(colors);
    setAutoFillBackground(true);

    message_->setObjectName(QStringLiteral("lblMessage"));
    message_->setWordWrap(true);
    message_->setTextFormat(Qt::PlainText);
    message_->setAlignment(Qt::AlignCenter);
    message_->setFocusPolicy(Qt::NoFocus);
    message_->setContentsMargins(12, 12, 12, 12);

    buttonLayout_->setContentsMargins(0, 0, 0, 0);
    buttonLayout_->setSpacing(12);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(14);
    layout->addWidget(message_, 1);
    layout->addWidget(buttonRow_, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    refreshContent();
    centerWindow(this, owner);
}

void MessageDialogView::refreshContent()
{
    const FormContent content = form_.content();
    setWindowTitle(content.caption);
    message_->setText(content.message);
    const int textWidth = dialogWidth - 28;
    message_->setFixedWidth(textWidth);
    message_->setMinimumHeight(std::max(60, message_->heightForWidth(textWidth)));

    while (QLayoutItem* item = buttonLayout_->takeAt(0)) {
        if (QWidget* old = item->widget()) {
            old->hide();
            old->setParent(nullptr);
            old->deleteLater(); // a refresh may come from one of these buttons
        }
        delete item;
    }
    for (const FormButton& button : content.buttons) {
        auto* image = new ImageButton(button.image, button.label, button.caption,
                                      [this](const QString& control) { form_.click(control); }, buttonRow_);
        buttonLayout_->addWidget(image);
        image->show(); // the layout would show it only on the next event-loop turn
    }
    buttonRow_->setVisible(!content.buttons.isEmpty());
    adjustSize();
}

void MessageDialogView::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    // The message lies on a light rounded panel.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(view_palette::dark(), 1));
    painter.setBrush(view_palette::light());
    painter.drawRoundedRect(QRectF(message_->geometry()).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
}

void MessageDialogView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        form_.keyPress(enterKey);
    // Everything else is swallowed: QDialog would close on Escape.
    event->accept();
}

void MessageDialogView::closeEvent(QCloseEvent* event)
{
    // The form unloads itself through the presenter, if it wants to.
    event->ignore();
    form_.closeBox();
}

} // namespace vm
