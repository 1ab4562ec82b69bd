#pragma once

#include <QDialog>

class QLineEdit;
class QListView;
class QSortFilterProxyModel;
class QStringListModel;

namespace vm {

// The installed faces the user may import, with a search that narrows the
// list while the user types. Accepting it hands on the chosen face.
class FontImportDialog : public QDialog {
    Q_OBJECT
public:
    FontImportDialog(const QStringList& faces, QWidget* parent = nullptr);

    void setQuery(const QString& query);
    QStringList shownFaces() const;
    // Picks a shown face and accepts, as a double click would; false when it is not shown.
    bool choose(const QString& face);

signals:
    void faceChosen(const QString& face);

private:
    void acceptCurrent();

    QStringListModel* faces_;
    QSortFilterProxyModel* shown_;
    QLineEdit* search_;
    QListView* list_;
};

} // namespace vm
