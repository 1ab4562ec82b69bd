#pragma once

#include <QTreeWidget>

namespace vm {

class LogoEditor;

// Every element of the logo, the topmost first: its name (double-click to
// rename), an eye that hides it and a padlock that locks it. Clicking selects
// on the stage; dragging a row changes the stacking order. The list follows
// the editor, so undo and redo show here as well.
class LayersList : public QTreeWidget {
public:
    enum Column { NameColumn, HiddenColumn, LockedColumn };

    explicit LayersList(LogoEditor& editor, QWidget* parent = nullptr);

    // Puts the layer in row from at row to (rows counted from the top).
    void moveRow(int from, int to);
    quint64 idAt(int row) const;

protected:
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void refresh();
    void showSelection();
    void takeSelection();
    void clicked(QTreeWidgetItem* item, int column);
    void renamed(QTreeWidgetItem* item, int column);

    LogoEditor& editor_;
    bool syncing_ = false;
    bool stale_ = true;
};

} // namespace vm
