#include "canvas/panels/layers_list.h"

#include "canvas/editing/layer_names.h"
#include "canvas/editing/logo_editor.h"
#include "canvas/look/editor_look.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTimer>

namespace vm {

namespace {
constexpr int idRole = Qt::UserRole + 1;
constexpr int iconColumnWidth = 26;
} // namespace

LayersList::LayersList(LogoEditor& editor, QWidget* parent) : QTreeWidget(parent), editor_(editor)
{
    editor_look::setLook(this, "designs");
    setColumnCount(3);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(ExtendedSelection);
    setDragDropMode(InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    setEditTriggers(DoubleClicked | EditKeyPressed);
    setIconSize(QSize(16, 16));
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    for (int column : {HiddenColumn, LockedColumn}) {
        header()->setSectionResizeMode(column, QHeaderView::Fixed);
        header()->resizeSection(column, iconColumnWidth);
    }
    connect(&editor_, &LogoEditor::documentChanged, this, [this] {
        stale_ = true;
        if (isVisible())
            refresh();
    });
    connect(&editor_, &LogoEditor::selectionChanged, this, [this] { showSelection(); });
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] { takeSelection(); });
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int column) { clicked(item, column); });
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) { renamed(item, column); });
}

quint64 LayersList::idAt(int row) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->data(NameColumn, idRole).toULongLong() : 0;
}

void LayersList::showEvent(QShowEvent* event)
{
    QTreeWidget::showEvent(event);
    if (stale_)
        refresh();
}

// The list is only kept up to date while it is shown: a logo of a thousand
// elements should not pay for it on every edit.
void LayersList::refresh()
{
    stale_ = false;
    syncing_ = true;
    const int scrolled = verticalScrollBar()->value();
    clear();
    const auto& elements = editor_.document().elements;
    QList<QTreeWidgetItem*> rows;
    rows.reserve(qsizetype(elements.size()));
    for (auto element = elements.rbegin(); element != elements.rend(); ++element) {
        auto* row = new QTreeWidgetItem;
        row->setText(NameColumn, element->name.isEmpty() ? defaultLayerName(*element) : element->name);
        row->setData(NameColumn, idRole, element->id);
        row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsDragEnabled);
        row->setIcon(HiddenColumn, element->hidden ? editor_look::activeIcon(QStringLiteral("eye-slash")) : editor_look::icon(QStringLiteral("eye")));
        row->setToolTip(HiddenColumn, element->hidden ? tr("Hidden: click to show") : tr("Shown: click to hide"));
        row->setIcon(LockedColumn, element->locked ? editor_look::activeIcon(QStringLiteral("lock-simple"))
                                                   : editor_look::icon(QStringLiteral("lock-simple-open")));
        row->setToolTip(LockedColumn, element->locked ? tr("Locked: click to unlock") : tr("Click to lock in place"));
        if (element->hidden)
            row->setForeground(NameColumn, QColor(0x8a, 0x9a, 0xab));
        rows.append(row);
    }
    addTopLevelItems(rows);
    verticalScrollBar()->setValue(scrolled);
    syncing_ = false;
    showSelection();
}

void LayersList::showSelection()
{
    if (syncing_ || stale_)
        return;
    syncing_ = true;
    const QSet<quint64>& selected = editor_.selection();
    QTreeWidgetItem* first = nullptr;
    for (int row = 0; row < topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = topLevelItem(row);
        const bool on = selected.contains(item->data(NameColumn, idRole).toULongLong());
        item->setSelected(on);
        if (on && !first)
            first = item;
    }
    if (first)
        scrollToItem(first);
    syncing_ = false;
}

void LayersList::takeSelection()
{
    if (syncing_)
        return;
    QSet<quint64> ids;
    for (QTreeWidgetItem* item : selectedItems())
        ids.insert(item->data(NameColumn, idRole).toULongLong());
    syncing_ = true;
    editor_.select(ids);
    syncing_ = false;
}

void LayersList::clicked(QTreeWidgetItem* item, int column)
{
    const quint64 id = item->data(NameColumn, idRole).toULongLong();
    const LogoElement* element = editor_.find(id);
    if (!element)
        return;
    // The list is rebuilt by the edit: leave the click's own handling first.
    if (column == HiddenColumn)
        QTimer::singleShot(0, this, [this, id, hide = !element->hidden] { editor_.setHidden({id}, hide); });
    else if (column == LockedColumn)
        QTimer::singleShot(0, this, [this, id, lock = !element->locked] { editor_.setLocked({id}, lock); });
}

void LayersList::renamed(QTreeWidgetItem* item, int column)
{
    if (syncing_ || column != NameColumn)
        return;
    const quint64 id = item->data(NameColumn, idRole).toULongLong();
    const LogoElement* element = editor_.find(id);
    if (!element)
        return;
    QString name = item->text(NameColumn).simplified();
    // Typing the default name back, or nothing, keeps the default.
    if (name == defaultLayerName(*element))
        name.clear();
    QTimer::singleShot(0, this, [this, id, name] {
        const int steps = editor_.undoStack().index();
        editor_.rename(id, name);
        if (editor_.undoStack().index() == steps)
            refresh(); // nothing changed: show the name it has again
    });
}

void LayersList::moveRow(int from, int to)
{
    const int count = topLevelItemCount();
    const quint64 id = idAt(from);
    if (id == 0 || to < 0 || to >= count)
        return;
    editor_.moveLayer(id, count - 1 - to);
}

void LayersList::dropEvent(QDropEvent* event)
{
    // The editor reorders the logo and the list follows; the view must not
    // move or remove rows itself, so the drop is taken but never "moved".
    QTreeWidgetItem* dragged = currentItem();
    if (event->source() != this || !dragged) {
        event->ignore();
        return;
    }
    const int from = indexOfTopLevelItem(dragged);
    const QModelIndex target = indexAt(event->position().toPoint());
    int to = target.isValid() ? target.row() : topLevelItemCount() - 1;
    if (target.isValid()) {
        const QRect rect = visualRect(target);
        const bool lowerHalf = event->position().y() > rect.center().y();
        // Between rows: dropping on the lower half of a row puts the layer below it.
        if (lowerHalf && from > to)
            ++to;
        else if (!lowerHalf && from < to)
            --to;
    }
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    QTimer::singleShot(0, this, [this, from, to] { moveRow(from, to); });
}

} // namespace vm
