#pragma once

#include <QStyledItemDelegate>
#include <functional>

namespace vm {

// Draws an idea as a card: a white card with a thin border, the logo's
// preview, its label and a star that keeps it at hand when clicked.
class IdeaCardDelegate : public QStyledItemDelegate {
public:
    explicit IdeaCardDelegate(std::function<void(int row)> toggleStar, QObject* parent = nullptr);

    // The preview's size on the card (the default stage's shape) and the grid cell around the card.
    static QSize previewSize();
    static QSize cellSize();
    // Where a cell's star sits: clicks there star, they do not choose.
    static QRect starRect(const QRect& cell);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    std::function<void(int row)> toggleStar_;
};

} // namespace vm
