#include "canvas/look/editor_look.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>
#include <QWidget>

namespace vm::editor_look {

namespace {

const QColor disabledInk(0xa9, 0xb8, 0xc7);

// Draws the icon's SVG at whatever size is asked and paints it in one colour:
// the shipped icons are black, the editor wants its own ink.
class TintedIconEngine : public QIconEngine {
public:
    TintedIconEngine(QString name, QColor normal) : name_(std::move(name)), normal_(std::move(normal)) {}

    QIconEngine* clone() const override { return new TintedIconEngine(name_, normal_); }
    QString key() const override { return QStringLiteral("vm-tinted"); }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size() * painter->device()->devicePixelRatioF(), mode, state));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        const QColor colour = mode == QIcon::Disabled ? disabledInk : state == QIcon::On ? accent : normal_;
        const QString cacheKey = QStringLiteral("vm-icon/%1/%2x%3/%4").arg(name_).arg(size.width()).arg(size.height()).arg(colour.name());
        QPixmap cached;
        if (QPixmapCache::find(cacheKey, &cached))
            return cached;
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QSvgRenderer svg(QStringLiteral(":/editor-icons/%1.svg").arg(name_));
        QPainter painter(&image);
        svg.render(&painter, QRectF(QPointF(0, 0), size));
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(image.rect(), colour);
        painter.end();
        cached = QPixmap::fromImage(image);
        QPixmapCache::insert(cacheKey, cached);
        return cached;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }

private:
    QString name_;
    QColor normal_;
};

const char* const sheet = R"(
QToolBar { background: #eef4fa; border-bottom: 1px solid #c3d3e3; spacing: 1px; padding: 2px 4px; }
QToolBar QToolButton { padding: 3px; margin: 0px; border: 1px solid transparent; border-radius: 4px; }
QToolBar QToolButton:hover { background: #dde9f6; border-color: #b9cfe5; }
QToolBar QToolButton:checked { background: #d5e7f8; border-color: #1379ce; }
QToolBar QLabel { color: #2b4663; padding: 0px 4px; }
QToolButton#zoomButton { padding: 3px 6px; }
QToolButton#zoomButton::menu-indicator { image: none; width: 0px; }
QFrame[look="panel"] { background: #f7fafd; border: 1px solid #9fb7cf; border-radius: 6px; }
QLabel[look="panelTitle"] { color: #1f3a5f; font-weight: bold; }
QLabel[look="hint"] { color: #4a5d70; }
QFrame[look="panel"] QToolButton { border: 1px solid transparent; border-radius: 3px; padding: 2px; }
QFrame[look="panel"] QToolButton:hover { background: #dde9f6; border-color: #b9cfe5; }
QFrame[look="panel"] QToolButton:checked { background: #d5e7f8; border-color: #1379ce; }
QToolButton[look="swatch"] { border: 1px solid #7a8a9a; border-radius: 3px; }
QListWidget[look="categories"] { background: #ffffff; border: 1px solid #c3d3e3; border-radius: 6px; padding: 4px; font-size: 13px; }
QListWidget[look="categories"]::item { padding: 7px 8px; border-radius: 4px; color: #1f3a5f; }
QListWidget[look="categories"]::item:hover { background: #e3eefa; }
QListWidget[look="categories"]::item:selected { background: #1379ce; color: #ffffff; }
QListView[look="designs"], QTreeView[look="designs"] { background: #ffffff; border: 1px solid #c3d3e3; border-radius: 6px; }
QListView[look="designs"]::item { padding: 6px; margin: 2px; border: 2px solid transparent; border-radius: 8px; color: #33475b; }
QListView[look="designs"]::item:hover { background: #e3eefa; border: 2px solid #9fc3e6; }
QListView[look="designs"]::item:selected { background: #d5e7f8; border: 2px solid #1379ce; color: #0d2a45; }
QTreeView[look="designs"]::item { padding: 3px 2px; color: #1f3a5f; }
QTreeView[look="designs"]::item:hover { background: #e3eefa; }
QTreeView[look="designs"]::item:selected { background: #d5e7f8; color: #0d2a45; }
QPushButton[look="primary"] { background: #1379ce; color: white; border: 1px solid #0f5fa3; border-radius: 4px; font-weight: bold; padding: 6px 18px; }
QPushButton[look="primary"]:disabled { background: #9bbfdf; border-color: #9bbfdf; }
)";

} // namespace

QIcon icon(const QString& name) { return QIcon(new TintedIconEngine(name, ink)); }
QIcon activeIcon(const QString& name) { return QIcon(new TintedIconEngine(name, accent)); }

QString styleSheet() { return QString::fromLatin1(sheet); }

void setLook(QWidget* widget, const char* look) { widget->setProperty("look", QString::fromLatin1(look)); }

} // namespace vm::editor_look
