#include "canvas/wizard/idea_card_delegate.h"

#include "canvas/look/editor_look.h"
#include "canvas/wizard/idea_board.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace vm {

namespace {
constexpr int cellMargin = 6;  // between the cell and its card
constexpr int padding = 8;     // between the card and its preview
constexpr int footer = 28;     // the label and the star below the preview
constexpr int starSize = 18;

// The card keeps its size in a wider cell, centred.
QRect cardRect(const QRect& cell)
{
    const QSize card = IdeaCardDelegate::cellSize() - QSize(2 * cellMargin, 2 * cellMargin);
    return QRect(cell.left() + (cell.width() - card.width()) / 2, cell.top() + cellMargin, card.width(), card.height());
}

QPainterPath starPath(const QRectF& box)
{
    QPainterPath path;
    const QPointF centre = box.center();
    const double outer = box.width() / 2, inner = outer * 0.45;
    for (int point = 0; point < 10; ++point) {
        const double angle = -M_PI / 2 + point * M_PI / 5;
        const double radius = point % 2 == 0 ? outer : inner;
        const QPointF at(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        if (point == 0)
            path.moveTo(at);
        else
            path.lineTo(at);
    }
    path.closeSubpath();
    return path;
}
} // namespace

IdeaCardDelegate::IdeaCardDelegate(std::function<void(int row)> toggleStar, QObject* parent)
    : QStyledItemDelegate(parent), toggleStar_(std::move(toggleStar))
{
}

QSize IdeaCardDelegate::previewSize() { return QSize(188, 188 * 397 / 507); }

QSize IdeaCardDelegate::cellSize()
{
    const QSize preview = previewSize();
    return QSize(preview.width() + 2 * (padding + cellMargin), preview.height() + padding + footer + 2 * cellMargin);
}

QRect IdeaCardDelegate::starRect(const QRect& cell)
{
    const QRect card = cardRect(cell);
    return QRect(card.right() - padding - starSize, card.bottom() - footer + (footer - starSize) / 2, starSize, starSize);
}

void IdeaCardDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QRect card = cardRect(option.rect);
    const bool selected = option.state & QStyle::State_Selected;
    const bool hovered = option.state & QStyle::State_MouseOver;
    painter->save();
    painter->setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);

    // A soft lift under the card, a thin border, the accent when chosen.
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(20, 40, 70, hovered || selected ? 34 : 18));
    painter->drawRoundedRect(QRectF(card).translated(0, 2), 8, 8);
    painter->setBrush(Qt::white);
    const QColor border = selected ? editor_look::accent : hovered ? QColor(0x9f, 0xc3, 0xe6) : QColor(0xd6, 0xe0, 0xea);
    painter->setPen(QPen(border, selected ? 2 : 1));
    painter->drawRoundedRect(QRectF(card).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);

    const QRect preview(card.topLeft() + QPoint(padding, padding), previewSize());
    const QImage picture = index.data(IdeaBoard::PreviewRole).value<QImage>();
    if (!picture.isNull())
        painter->drawImage(QRectF(preview), picture);
    painter->setPen(QColor(0xe4, 0xea, 0xf0));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF(preview).adjusted(-0.5, -0.5, 0.5, 0.5));

    const QRect label(preview.left(), preview.bottom() + 1, preview.width() - starSize - 6, footer);
    QFont font = option.font;
    font.setPointSizeF(font.pointSizeF() * 0.92);
    painter->setFont(font);
    painter->setPen(selected ? QColor(0x0d, 0x2a, 0x45) : QColor(0x5d, 0x6f, 0x82));
    painter->drawText(label, Qt::AlignLeft | Qt::AlignVCenter,
                      painter->fontMetrics().elidedText(index.data(IdeaBoard::LabelRole).toString(), Qt::ElideRight, label.width()));

    const bool starred = index.data(IdeaBoard::StarredRole).toBool();
    const QRectF star = QRectF(starRect(option.rect)).adjusted(1, 1, -1, -1);
    if (starred) {
        painter->setPen(QPen(QColor(0xd9, 0x8e, 0x00), 1.2));
        painter->setBrush(QColor(0xf5, 0xb3, 0x01));
    }
    else {
        painter->setPen(QPen(hovered ? editor_look::accent : QColor(0xa9, 0xb8, 0xc7), 1.4));
        painter->setBrush(Qt::NoBrush);
    }
    painter->drawPath(starPath(star));

    if (option.state & QStyle::State_HasFocus && !selected) {
        painter->setPen(QPen(editor_look::accent, 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(QRectF(card).adjusted(2.5, 2.5, -2.5, -2.5), 6, 6);
    }
    painter->restore();
}

QSize IdeaCardDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const { return cellSize(); }

bool IdeaCardDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                                   const QModelIndex& index)
{
    const auto type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonDblClick) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && starRect(option.rect).adjusted(-4, -4, 4, 4).contains(mouse->position().toPoint())) {
            // A click on the star stars; a double click there must not also choose the idea.
            if (type == QEvent::MouseButtonRelease && toggleStar_)
                toggleStar_(index.row());
            return true;
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

} // namespace vm
