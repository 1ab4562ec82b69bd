#include "canvas/look/panel_frame.h"

#include "canvas/look/editor_look.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace vm {

QVBoxLayout* decoratePanel(QFrame* frame, const QString& title)
{
    frame->setObjectName(QStringLiteral("canvasPanel"));
    editor_look::setLook(frame, "panel");
    auto* body = new QVBoxLayout(frame);
    body->setContentsMargins(8, 6, 8, 8);
    body->setSpacing(5);
    auto* head = new QHBoxLayout;
    auto* label = new QLabel(title, frame);
    editor_look::setLook(label, "panelTitle");
    auto* close = new QToolButton(frame);
    close->setText(QStringLiteral("×"));
    close->setToolTip(QObject::tr("Close"));
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
