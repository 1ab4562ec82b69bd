#include "canvas/fonts/font_import_dialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStringListModel>
#include <QVBoxLayout>

namespace vm {

FontImportDialog::FontImportDialog(const QStringList& faces, QWidget* parent)
    : QDialog(parent), faces_(new QStringListModel(faces, this)), shown_(new QSortFilterProxyModel(this)),
      search_(new QLineEdit(this)), list_(new QListView(this))
{
    setWindowTitle(tr("Import font"));
    shown_->setSourceModel(faces_);
    shown_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    search_->setPlaceholderText(tr("Search installed fonts"));
    search_->setClearButtonEnabled(true);
    list_->setModel(shown_);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Import"));
    buttons->button(QDialogButtonBox::Ok)->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(search_);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(320, 420);

    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        shown_->setFilterFixedString(text);
        if (!list_->currentIndex().isValid() && shown_->rowCount() > 0)
            list_->setCurrentIndex(shown_->index(0, 0));
    });
    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [buttons](const QModelIndex& current) { buttons->button(QDialogButtonBox::Ok)->setEnabled(current.isValid()); });
    connect(list_, &QListView::activated, this, [this] { acceptCurrent(); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { acceptCurrent(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void FontImportDialog::setQuery(const QString& query) { search_->setText(query); }

QStringList FontImportDialog::shownFaces() const
{
    QStringList faces;
    for (int row = 0; row < shown_->rowCount(); ++row)
        faces.append(shown_->index(row, 0).data().toString());
    return faces;
}

bool FontImportDialog::choose(const QString& face)
{
    const int row = int(shownFaces().indexOf(face));
    if (row < 0)
        return false;
    list_->setCurrentIndex(shown_->index(row, 0));
    acceptCurrent();
    return true;
}

void FontImportDialog::acceptCurrent()
{
    const QModelIndex current = list_->currentIndex();
    if (!current.isValid())
        return;
    const QString face = current.data().toString();
    accept();
    emit faceChosen(face);
}

} // namespace vm
