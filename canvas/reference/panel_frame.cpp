#include "canvas/reference/panel_frame.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace vm {

QVBoxLayout* decoratePanel(QFrame* frame, const QString& title)
{
    frame->setObjectName(QStringLiteral("canvasPanel"));
    frame->setStyleSheet(QStringLiteral("QFrame#canvasPanel { background: #f7fafd; border: 1px solid #9fb7cf; border-radius: 4px; }"));
    auto* body = new QVBoxLayout(frame);
    body->setContentsMargins(6, 4, 6, 6);
    body->setSpacing(4);
    auto* head = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("<b>%1</b>").arg(title), frame);
    auto* close = new QToolButton(frame);
    close->setText(QStringLiteral("×"));
    close->setAutoRaise(true);
    QObject::connect(close, &QToolButton::clicked, frame, &QWidget::hide);
    head->addWidget(label);
    head->addStretch();
    head->addWidget(close);
    body->addLayout(head);
    frame->hide();
    return body;
}

QFrame* panelFrame(const QString& title, QWidget* parent, QVBoxLayout*& body)
{
    auto* frame = new QFrame(parent);
    body = decoratePanel(frame, title);
    return frame;
}

} // namespace vm
