#include "canvas/symbols/clipart_dialog.h"

#include "canvas/look/editor_look.h"
#include "canvas/symbols/clipart_model.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QList<QColor> inks = {QColor(0x00, 0x00, 0x00), QColor(0x1f, 0x3a, 0x5f), QColor(0x13, 0x79, 0xce),
                            QColor(0x3c, 0x9a, 0x3f), QColor(0xc9, 0x9a, 0x06), QColor(0xe6, 0x4a, 0x19),
                            QColor(0xd3, 0x2f, 0x2f), QColor(0x6a, 0x1b, 0x9a)};
} // namespace

ClipArtDialog::ClipArtDialog(const ClipArtCatalogue& catalogue, const LogoRenderer& renderer, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue), model_(new ClipArtModel(renderer, this)), categories_(new QListWidget(this)),
      search_(new QLineEdit(this)), symbols_(new QListView(this)), details_(new QLabel(this)),
      addKeyword_(new QPushButton(tr("Add keyword…"), this))
{
    setWindowTitle(tr("Add a symbol"));
    editor_look::setLook(categories_, "categories");
    editor_look::setLook(symbols_, "designs");
    editor_look::setLook(details_, "hint");
    setStyleSheet(editor_look::styleSheet());
    resize(720, 500);
    categories_->setMaximumWidth(180);
    search_->setPlaceholderText(tr("Search by name or keyword, e.g. coffee, rocket, leaf"));
    search_->setClearButtonEnabled(true);
    symbols_->setModel(model_);
    symbols_->setViewMode(QListView::IconMode);
    symbols_->setIconSize(QSize(ClipArtModel::thumbnailSide, ClipArtModel::thumbnailSide));
    symbols_->setGridSize(QSize(118, 100));
    symbols_->setUniformItemSizes(true); // the layout never asks every symbol for its size
    symbols_->setResizeMode(QListView::Adjust);
    symbols_->setMovement(QListView::Static);
    symbols_->setWordWrap(true);
    details_->setWordWrap(true);
    details_->setMinimumHeight(34);
    addKeyword_->setToolTip(tr("Add a word of your own by which this symbol is found"));

    auto* colours = new QHBoxLayout;
    colours->addWidget(new QLabel(tr("Colour:"), this));
    for (const QColor& ink : inks) {
        auto* swatch = new QToolButton(this);
        swatch->setFixedSize(20, 20);
        editor_look::setLook(swatch, "swatch");
        swatch->setStyleSheet(QStringLiteral("background: %1;").arg(ink.name()));
        connect(swatch, &QToolButton::clicked, this, [this, ink] { setColour(ink); });
        colours->addWidget(swatch);
    }
    colours->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (const ClipArtSymbol* symbol = currentSymbol())
            choose(symbol->path);
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(symbols_, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { choose(index.data(ClipArtModel::pathRole).toString()); });
    connect(symbols_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { showCurrent(); });
    connect(search_, &QLineEdit::textChanged, this, [this] { refill(); });
    connect(categories_, &QListWidget::currentRowChanged, this, [this] { refill(); });
    connect(addKeyword_, &QPushButton::clicked, this, [this] {
        const ClipArtSymbol* symbol = currentSymbol();
        if (!symbol)
            return;
        auto* ask = new QInputDialog(this);
        ask->setAttribute(Qt::WA_DeleteOnClose);
        ask->setWindowTitle(tr("Add keyword"));
        ask->setLabelText(tr("A word by which \"%1\" is found:").arg(symbol->id));
        connect(ask, &QInputDialog::textValueSelected, this, [this](const QString& keyword) { addKeyword(keyword); });
        ask->open();
    });

    auto* right = new QVBoxLayout;
    right->addWidget(search_);
    right->addWidget(symbols_, 1);
    right->addLayout(colours);
    auto* about = new QHBoxLayout;
    about->addWidget(details_, 1);
    about->addWidget(addKeyword_);
    right->addLayout(about);
    auto* top = new QHBoxLayout;
    top->addWidget(categories_);
    top->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(buttons);

    categories_->addItem(tr("All symbols (%1)").arg(catalogue_.symbolCount()));
    for (const ClipArtCategory& category : catalogue_.categories())
        categories_->addItem(category.name);
    categories_->setCurrentRow(0);
    refill();
}

void ClipArtDialog::setQuery(const QString& query) { search_->setText(query); }

void ClipArtDialog::setCategory(const QString& category)
{
    const QList<QListWidgetItem*> found = category.isEmpty() ? QList<QListWidgetItem*>()
                                                             : categories_->findItems(category, Qt::MatchExactly);
    categories_->setCurrentRow(found.isEmpty() ? 0 : categories_->row(found.first()));
}

void ClipArtDialog::setColour(const QColor& colour)
{
    colour_ = colour;
    model_->setColour(colour);
}

QStringList ClipArtDialog::shownSymbols() const
{
    QStringList paths;
    for (int row = 0; row < model_->rowCount(); ++row)
        paths.append(model_->symbol(row)->path);
    return paths;
}

bool ClipArtDialog::setCurrentSymbol(const QString& path)
{
    const int row = model_->rowOf(path);
    if (row < 0)
        return false;
    symbols_->setCurrentIndex(model_->index(row));
    return true;
}

const ClipArtSymbol* ClipArtDialog::currentSymbol() const
{
    const QModelIndex current = symbols_->currentIndex();
    return current.isValid() ? model_->symbol(current.row()) : nullptr;
}

bool ClipArtDialog::choose(const QString& path)
{
    if (model_->rowOf(path) < 0)
        return false;
    emit symbolChosen(path, colour_);
    accept();
    return true;
}

bool ClipArtDialog::addKeyword(const QString& keyword)
{
    // A comma would make two keywords of one.
    const QString word = QString(keyword).replace(QLatin1Char(','), QLatin1Char(' ')).simplified();
    const ClipArtSymbol* symbol = currentSymbol();
    if (!symbol || word.isEmpty())
        return false;
    emit keywordRequested(symbol->category, symbol->id, word);
    return true;
}

void ClipArtDialog::catalogueChanged()
{
    // The symbols shown belonged to the catalogue read before: only the path is still good.
    const QString path = currentPath_;
    refill();
    setCurrentSymbol(path);
    showCurrent();
}

int ClipArtDialog::drawnThumbnails() const { return model_->drawnThumbnails(); }

void ClipArtDialog::refill()
{
    symbols_->setCurrentIndex(QModelIndex());
    const QString category = categories_->currentRow() > 0 ? categories_->currentItem()->text() : QString();
    model_->setSymbols(catalogue_.search(search_->text(), category));
    showCurrent();
}

void ClipArtDialog::showCurrent()
{
    const ClipArtSymbol* symbol = currentSymbol();
    currentPath_ = symbol ? symbol->path : QString();
    addKeyword_->setEnabled(symbol != nullptr);
    details_->setText(symbol ? QStringLiteral("<b>%1</b> (%2): %3")
                                   .arg(symbol->id.toHtmlEscaped(), symbol->category.toHtmlEscaped(),
                                        symbol->keywords.join(QStringLiteral(", ")).toHtmlEscaped())
                             : tr("%n symbol(s)", nullptr, model_->rowCount()));
}

} // namespace vm
