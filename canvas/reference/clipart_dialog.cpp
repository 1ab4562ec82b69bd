#include "canvas/reference/clipart_dialog.h"

#include "canvas/logo/logo_renderer.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QList<QColor> inks = {QColor(0x00, 0x00, 0x00), QColor(0x1f, 0x3a, 0x5f), QColor(0x13, 0x79, 0xce),
                            QColor(0x3c, 0x9a, 0x3f), QColor(0xc9, 0x9a, 0x06), QColor(0xe6, 0x4a, 0x19),
                            QColor(0xd3, 0x2f, 0x2f), QColor(0x6a, 0x1b, 0x9a)};
constexpr int pathRole = Qt::UserRole + 1;
} // namespace

ClipArtDialog::ClipArtDialog(LogoRenderer& renderer, QWidget* parent)
    : QDialog(parent), renderer_(renderer), catalogue_(ClipArtCatalogue::load(renderer.resources().dataFolder)),
      categories_(new QListWidget(this)), search_(new QLineEdit(this)), symbols_(new QListWidget(this))
{
    setWindowTitle(tr("Add a symbol"));
    resize(560, 420);
    categories_->addItem(tr("All symbols"));
    for (const ClipArtCategory& category : catalogue_.categories())
        categories_->addItem(category.name);
    categories_->setCurrentRow(0);
    categories_->setMaximumWidth(140);
    search_->setPlaceholderText(tr("Search by keyword, e.g. leaf, star, growth"));
    search_->setClearButtonEnabled(true);
    symbols_->setViewMode(QListView::IconMode);
    symbols_->setIconSize(QSize(64, 64));
    symbols_->setGridSize(QSize(96, 96));
    symbols_->setResizeMode(QListView::Adjust);
    symbols_->setMovement(QListView::Static);

    auto* colours = new QHBoxLayout;
    colours->addWidget(new QLabel(tr("Colour:"), this));
    for (const QColor& ink : inks) {
        auto* swatch = new QToolButton(this);
        swatch->setFixedSize(20, 20);
        swatch->setStyleSheet(QStringLiteral("QToolButton { background: %1; border: 1px solid #667; border-radius: 3px; }").arg(ink.name()));
        connect(swatch, &QToolButton::clicked, this, [this, ink] { setColour(ink); });
        colours->addWidget(swatch);
    }
    colours->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (QListWidgetItem* item = symbols_->currentItem())
            choose(item->data(pathRole).toString());
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(symbols_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) { choose(item->data(pathRole).toString()); });
    connect(search_, &QLineEdit::textChanged, this, [this] { refill(); });
    connect(categories_, &QListWidget::currentRowChanged, this, [this] { refill(); });

    auto* right = new QVBoxLayout;
    right->addWidget(search_);
    right->addWidget(symbols_, 1);
    right->addLayout(colours);
    auto* top = new QHBoxLayout;
    top->addWidget(categories_);
    top->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(buttons);
    refill();
}

void ClipArtDialog::setQuery(const QString& query) { search_->setText(query); }

void ClipArtDialog::setColour(const QColor& colour)
{
    colour_ = colour;
    refill();
}

QStringList ClipArtDialog::shownSymbols() const
{
    QStringList paths;
    for (int row = 0; row < symbols_->count(); ++row)
        paths.append(symbols_->item(row)->data(pathRole).toString());
    return paths;
}

bool ClipArtDialog::choose(const QString& path)
{
    if (!shownSymbols().contains(path))
        return false;
    emit symbolChosen(path, colour_);
    accept();
    return true;
}

void ClipArtDialog::refill()
{
    symbols_->clear();
    const QString category = categories_->currentRow() > 0 ? categories_->currentItem()->text() : QString();
    for (const ClipArtSymbol& symbol : catalogue_.search(search_->text())) {
        if (!category.isEmpty() && symbol.category != category)
            continue;
        LogoElement preview;
        preview.kind = ElementKind::Symbol;
        preview.symbol = symbol.path;
        preview.color = colour_;
        QPixmap icon(64, 64);
        icon.fill(Qt::transparent);
        QPainter painter(&icon);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer_.drawContent(painter, preview, QRectF(4, 4, 56, 56));
        painter.end();
        auto* item = new QListWidgetItem(QIcon(icon), symbol.id, symbols_);
        item->setData(pathRole, symbol.path);
        item->setToolTip(symbol.keywords.join(QStringLiteral(", ")));
    }
}

} // namespace vm
