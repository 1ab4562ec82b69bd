#pragma once

#include "canvas/logo/clipart_catalogue.h"

#include <QColor>
#include <QDialog>

class QLineEdit;
class QListWidget;

namespace vm {

class LogoRenderer;

// The clip-art browser: categories, a keyword search, the symbols drawn in
// the chosen colour. Accepting it hands on the symbol and its colour.
class ClipArtDialog : public QDialog {
    Q_OBJECT
public:
    ClipArtDialog(LogoRenderer& renderer, QWidget* parent = nullptr);

    void setQuery(const QString& query);
    void setColour(const QColor& colour);
    QStringList shownSymbols() const;
    // Picks a shown symbol and accepts, as a double click would.
    bool choose(const QString& path);

signals:
    void symbolChosen(const QString& path, const QColor& colour);

private:
    void refill();

    LogoRenderer& renderer_;
    ClipArtCatalogue catalogue_;
    QListWidget* categories_;
    QLineEdit* search_;
    QListWidget* symbols_;
    QColor colour_{0x13, 0x79, 0xce};
};

} // namespace vm
