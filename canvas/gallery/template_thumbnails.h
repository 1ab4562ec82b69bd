#pragma once

#include "canvas/logo/template_library.h"

#include <QAbstractListModel>
#include <QHash>
#include <QPixmap>

namespace vm {

class LogoRenderer;

// The templates of one gallery category as a list of named thumbnails. A
// thumbnail is drawn by the logo renderer the first time a view asks for it,
// so it is exactly what the user gets, and opening a large gallery costs only
// the thumbnails on screen.
class TemplateThumbnails : public QAbstractListModel {
public:
    static constexpr int thumbnailWidth = 190;

    TemplateThumbnails(const LogoRenderer& renderer, QObject* parent = nullptr);

    void showTemplates(QList<const LogoTemplate*> templates);
    // The library was read again: earlier thumbnails may be stale.
    void forgetThumbnails();
    const LogoTemplate* templateAt(int row) const;
    int renderedCount() const { return int(cache_.size()); }

    static QSize thumbnailSize();
    QPixmap thumbnail(const LogoTemplate& entry) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const LogoRenderer& renderer_;
    QList<const LogoTemplate*> shown_;
    mutable QHash<QString, QPixmap> cache_;
};

} // namespace vm
