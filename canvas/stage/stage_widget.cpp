#include "canvas/stage/stage_widget.h"

#include "protocol/player_control.h"

#include <QPainter>

namespace vm {

namespace {
const QSize stageSize(507, 397);
}

StageWidget::StageWidget(PlayerControl& player, QWidget* parent) : QWidget(parent), player_(player)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void StageWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(221, 240, 255));
    const QRect stage(QPoint((width() - stageSize.width()) / 2, 24), stageSize);
    painter.fillRect(stage.translated(3, 3), QColor(0, 0, 0, 40));
    painter.fillRect(stage, Qt::white);
    painter.setPen(QColor(19, 121, 206));
    painter.drawRect(stage.adjusted(0, 0, -1, -1));
    if (player_.movie().isEmpty())
        return;
    painter.setPen(QColor(150, 170, 190));
    painter.drawText(stage, Qt::AlignCenter, tr("Your logo goes here"));
}

} // namespace vm
