#pragma once

#include "canvas/logo/clipart_catalogue.h"

#include <QAbstractListModel>
#include <QCache>
#include <QColor>
#include <QPixmap>

namespace vm {

class LogoRenderer;

// The symbols a clip-art browser shows. A thumbnail is drawn only when the
// view asks for it, that is when it comes into sight, and kept for later, so
// the browser opens at once however large the library is.
class ClipArtModel : public QAbstractListModel {
public:
    static constexpr int pathRole = Qt::UserRole + 1;
    static constexpr int thumbnailSide = 64;

    ClipArtModel(const LogoRenderer& renderer, QObject* parent = nullptr);

    void setSymbols(QList<const ClipArtSymbol*> symbols);
    void setColour(const QColor& colour);
    const ClipArtSymbol* symbol(int row) const { return symbols_.value(row); }
    int rowOf(const QString& path) const;
    // Thumbnails drawn since the model was made.
    int drawnThumbnails() const { return drawn_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QPixmap thumbnail(const ClipArtSymbol& symbol) const;

    const LogoRenderer& renderer_;
    QList<const ClipArtSymbol*> symbols_;
    QColor colour_{0x13, 0x79, 0xce};
    mutable QCache<QString, QPixmap> thumbnails_{4000};
    mutable int drawn_ = 0;
};

} // namespace vm
