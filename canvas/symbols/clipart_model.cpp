#include "canvas/symbols/clipart_model.h"

#include "canvas/logo/logo_renderer.h"

#include <QPainter>

namespace vm {

ClipArtModel::ClipArtModel(const LogoRenderer& renderer, QObject* parent) : QAbstractListModel(parent), renderer_(renderer) {}

void ClipArtModel::setSymbols(QList<const ClipArtSymbol*> symbols)
{
    beginResetModel();
    symbols_ = std::move(symbols);
    endResetModel();
}

void ClipArtModel::setColour(const QColor& colour)
{
    if (colour == colour_)
        return;
    colour_ = colour;
    if (!symbols_.isEmpty())
        emit dataChanged(index(0), index(int(symbols_.size()) - 1), {Qt::DecorationRole});
}

int ClipArtModel::rowOf(const QString& path) const
{
    for (int row = 0; row < symbols_.size(); ++row)
        if (symbols_[row]->path == path)
            return row;
    return -1;
}

int ClipArtModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(symbols_.size());
}

QVariant ClipArtModel::data(const QModelIndex& index, int role) const
{
    const ClipArtSymbol* shown = symbol(index.row());
    if (!index.isValid() || !shown)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return shown->id;
    case Qt::DecorationRole:
        return thumbnail(*shown);
    case Qt::ToolTipRole:
        return shown->keywords.join(QStringLiteral(", "));
    case pathRole:
        return shown->path;
    default:
        return {};
    }
}

QPixmap ClipArtModel::thumbnail(const ClipArtSymbol& symbol) const
{
    const QString key = symbol.path + QLatin1Char('|') + colour_.name();
    if (const QPixmap* cached = thumbnails_.object(key))
        return *cached;
    LogoElement preview;
    preview.kind = ElementKind::Symbol;
    preview.symbol = symbol.path;
    preview.color = colour_;
    QPixmap icon(thumbnailSide, thumbnailSide);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer_.drawContent(painter, preview, QRectF(6, 6, thumbnailSide - 12, thumbnailSide - 12));
    painter.end();
    ++drawn_;
    thumbnails_.insert(key, new QPixmap(icon));
    return icon;
}

} // namespace vm
