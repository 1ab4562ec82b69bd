#include "canvas/gallery/template_thumbnails.h"

#include "canvas/logo/logo_renderer.h"

#include <QIcon>
#include <QPainter>

namespace vm {

TemplateThumbnails::TemplateThumbnails(const LogoRenderer& renderer, QObject* parent)
    : QAbstractListModel(parent), renderer_(renderer)
{
}

QSize TemplateThumbnails::thumbnailSize()
{
    // The default stage's shape.
    return QSize(thumbnailWidth, thumbnailWidth * 397 / 507);
}

void TemplateThumbnails::showTemplates(QList<const LogoTemplate*> templates)
{
    beginResetModel();
    shown_ = std::move(templates);
    endResetModel();
}

void TemplateThumbnails::forgetThumbnails() { cache_.clear(); }

const LogoTemplate* TemplateThumbnails::templateAt(int row) const
{
    return row >= 0 && row < shown_.size() ? shown_[row] : nullptr;
}

int TemplateThumbnails::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(shown_.size()); }

QPixmap TemplateThumbnails::thumbnail(const LogoTemplate& entry) const
{
    auto found = cache_.constFind(entry.path);
    if (found != cache_.constEnd())
        return *found;
    // A stage of any size fits the frame; the rest of the frame is the desk.
    const QSize frame = thumbnailSize();
    const QSizeF stage(entry.logo.stageSize);
    const double scale = std::min(frame.width() / stage.width(), frame.height() / stage.height());
    const QImage logo = renderer_.render(entry.logo, scale, entry.logo.background);
    QImage framed(frame, QImage::Format_ARGB32_Premultiplied);
    framed.fill(Qt::transparent);
    QPainter painter(&framed);
    painter.drawImage(QPointF((frame.width() - logo.width()) / 2.0, (frame.height() - logo.height()) / 2.0), logo);
    painter.setPen(QPen(QColor(0, 0, 0, 40), 1));
    painter.drawRect(QRectF(framed.rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    painter.end();
    return *cache_.insert(entry.path, QPixmap::fromImage(framed));
}

QVariant TemplateThumbnails::data(const QModelIndex& index, int role) const
{
    const LogoTemplate* entry = index.isValid() ? templateAt(index.row()) : nullptr;
    if (!entry)
        return {};
    switch (role) {
    case Qt::DisplayRole: return entry->name;
    case Qt::ToolTipRole: return entry->category + QStringLiteral(": ") + entry->name;
    case Qt::DecorationRole: {
        // The chosen design keeps its true colours: the frame around it shows the choice.
        QIcon icon;
        const QPixmap picture = thumbnail(*entry);
        icon.addPixmap(picture, QIcon::Normal);
        icon.addPixmap(picture, QIcon::Selected);
        return icon;
    }
    default: return {};
    }
}

} // namespace vm
