#include "canvas/fonts/font_box.h"

#include "canvas/fonts/font_import_dialog.h"
#include "canvas/logo/shipped_fonts.h"

#include <QFont>

namespace vm {

namespace {
// Items that are not a family: the "Import font..." entry and a family the lists lack.
constexpr int kindRole = Qt::UserRole + 1;
enum ItemKind { FamilyItem = 0, ImportItem, StrayItem };
} // namespace

FontBox::FontBox(QWidget* parent) : QComboBox(parent)
{
    setFamilies({}, {});
    connect(this, &QComboBox::activated, this, &FontBox::chosen);
}

void FontBox::setFamilies(const QStringList& families, const QStringList& imported)
{
    const QSignalBlocker quiet(this);
    clear();
    for (const QString& family : families) {
        addItem(family);
        setItemData(count() - 1, QFont(family), Qt::FontRole);
    }
    if (!imported.isEmpty())
        insertSeparator(count());
    // Imported faces are drawn from their movies on the stage; the box names them plainly.
    for (const QString& family : imported)
        addItem(family);
    insertSeparator(count());
    addItem(tr("Import font..."));
    setItemData(count() - 1, ImportItem, kindRole);
    showFamily(shown_);
}

void FontBox::showFamily(const QString& family)
{
    const QSignalBlocker quiet(this);
    // A text that names no family is drawn in the default one: show that.
    shown_ = family.isEmpty() ? defaultTextFamily() : family;
    for (int index = count() - 1; index >= 0; --index)
        if (itemData(index, kindRole).toInt() == StrayItem)
            removeItem(index);
    int index = findText(shown_, Qt::MatchFixedString);
    if (index < 0 || itemData(index, kindRole).toInt() == ImportItem) {
        insertItem(0, shown_);
        setItemData(0, StrayItem, kindRole);
        index = 0;
    }
    setCurrentIndex(index);
}

void FontBox::chosen(int index)
{
    if (itemData(index, kindRole).toInt() != ImportItem) {
        shown_ = itemText(index);
        emit familyChosen(shown_);
        return;
    }
    showFamily(shown_); // the entry is an action, not a choice
    openImport();
}

FontImportDialog* FontBox::importDialog() const { return import_; }

void FontBox::openImport()
{
    if (import_) {
        import_->raise();
        return;
    }
    import_ = new FontImportDialog(importable_ ? importable_() : QStringList(), this);
    import_->setAttribute(Qt::WA_DeleteOnClose);
    connect(import_, &FontImportDialog::faceChosen, this, &FontBox::importChosen);
    import_->open();
}

} // namespace vm
