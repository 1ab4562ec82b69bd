#pragma once

#include <QComboBox>
#include <QPointer>
#include <functional>

namespace vm {

class FontImportDialog;

// The font box of the text tools: the families every logo can use, the
// user's imported fonts, then "Import font..." which opens the installed
// faces in a searchable list.
class FontBox : public QComboBox {
    Q_OBJECT
public:
    explicit FontBox(QWidget* parent = nullptr);

    void setFamilies(const QStringList& families, const QStringList& imported);
    // Shows family without announcing it; one the lists lack is shown all the same.
    void showFamily(const QString& family);
    // Where the import list comes from; read each time it opens.
    void setImportableFaces(std::function<QStringList()> faces) { importable_ = std::move(faces); }
    // Opens the import list, as choosing "Import font..." does.
    void openImport();
    FontImportDialog* importDialog() const;
    int importIndex() const { return count() - 1; }

signals:
    void familyChosen(const QString& family);
    void importChosen(const QString& face);

private:
    void chosen(int index);

    std::function<QStringList()> importable_;
    QPointer<FontImportDialog> import_;
    QString shown_;
};

} // namespace vm
