#pragma once

#include "canvas/logo/clipart_catalogue.h"

#include <QColor>
#include <QDialog>

class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPushButton;

namespace vm {

class ClipArtModel;
class LogoRenderer;

// The clip-art browser: categories, a search by name and keyword that answers
// while the user types, the symbols drawn in the chosen colour (only those in
// sight), and the user's own keywords for a symbol. Accepting it hands on the
// symbol and its colour.
class ClipArtDialog : public QDialog {
    Q_OBJECT
public:
    ClipArtDialog(const ClipArtCatalogue& catalogue, const LogoRenderer& renderer, QWidget* parent = nullptr);

    void setQuery(const QString& query);
    void setCategory(const QString& category); // empty: every category
    void setColour(const QColor& colour);
    QStringList shownSymbols() const;
    bool setCurrentSymbol(const QString& path);
    const ClipArtSymbol* currentSymbol() const;
    // Picks a shown symbol and accepts, as a double click would.
    bool choose(const QString& path);
    // Asks for a keyword of the user's own for the current symbol; false when
    // there is no symbol or no keyword.
    bool addKeyword(const QString& keyword);
    // The catalogue was read again (a keyword was added): show it, keeping the search and the symbol.
    void catalogueChanged();
    int drawnThumbnails() const;

signals:
    void symbolChosen(const QString& path, const QColor& colour);
    void keywordRequested(const QString& category, const QString& id, const QString& keyword);

private:
    void refill();
    void showCurrent();

    const ClipArtCatalogue& catalogue_;
    ClipArtModel* model_;
    QListWidget* categories_;
    QLineEdit* search_;
    QListView* symbols_;
    QLabel* details_;
    QPushButton* addKeyword_;
    QColor colour_{0x13, 0x79, 0xce};
    QString currentPath_;
};

} // namespace vm
