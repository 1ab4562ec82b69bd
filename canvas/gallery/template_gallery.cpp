#include "canvas/gallery/template_gallery.h"

#include "canvas/gallery/template_thumbnails.h"
#include "canvas/look/editor_look.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const int categoryRole = Qt::UserRole + 1;

const char* const galleryStyle = R"(
QFrame#templateGallery { background: #eef4fa; }
QLabel#galleryTitle { font-size: 20px; font-weight: bold; color: #1f3a5f; }
QLabel#gallerySubtitle { color: #4a5d70; }
QLabel#galleryEmpty { color: #5d6f82; font-size: 13px; }
QPushButton { padding: 6px 18px; }
)";
} // namespace

TemplateGallery::TemplateGallery(const LogoRenderer& renderer, QWidget* parent)
    : QFrame(parent), categories_(new QListWidget(this)), designs_(new QListView(this)),
      thumbnails_(new TemplateThumbnails(renderer, this)), emptyHint_(new QLabel(this)),
      use_(new QPushButton(tr("Use this template"), this)), cancel_(new QPushButton(tr("Cancel"), this))
{
    setObjectName(QStringLiteral("templateGallery"));
    setAutoFillBackground(true);
    editor_look::setLook(categories_, "categories");
    editor_look::setLook(designs_, "designs");
    editor_look::setLook(use_, "primary");
    setStyleSheet(editor_look::styleSheet() + QString::fromLatin1(galleryStyle));

    auto* title = new QLabel(tr("Start from a template"), this);
    title->setObjectName(QStringLiteral("galleryTitle"));
    auto* subtitle = new QLabel(tr("Pick a design, then make it yours: change the name, the colours and the symbol."), this);
    subtitle->setObjectName(QStringLiteral("gallerySubtitle"));

    categories_->setObjectName(QStringLiteral("galleryCategories"));
    categories_->setFixedWidth(170);
    categories_->setFocusPolicy(Qt::StrongFocus);

    const QSize thumbnail = TemplateThumbnails::thumbnailSize();
    designs_->setObjectName(QStringLiteral("galleryDesigns"));
    designs_->setModel(thumbnails_);
    designs_->setViewMode(QListView::IconMode);
    designs_->setMovement(QListView::Static);
    designs_->setResizeMode(QListView::Adjust);
    designs_->setUniformItemSizes(true);
    designs_->setIconSize(thumbnail);
    designs_->setGridSize(QSize(thumbnail.width() + 26, thumbnail.height() + 44));
    designs_->setSpacing(4);
    designs_->setWordWrap(true);
    designs_->setSelectionMode(QAbstractItemView::SingleSelection);
    designs_->setMouseTracking(true);
    designs_->setFocusPolicy(Qt::StrongFocus);

    emptyHint_->setObjectName(QStringLiteral("galleryEmpty"));
    emptyHint_->setAlignment(Qt::AlignCenter);
    emptyHint_->setWordWrap(true);
    emptyHint_->setText(tr("No templates of your own yet.\nDesign a logo and choose \"Save as Template\" from the "
                           "arrow beside Save in the canvas toolbar: it appears here."));
    emptyHint_->hide();

    use_->setObjectName(QStringLiteral("galleryUse"));
    use_->setDefault(true);
    use_->setEnabled(false);

    auto* designArea = new QVBoxLayout;
    designArea->addWidget(designs_, 1);
    designArea->addWidget(emptyHint_, 1);
    auto* body = new QHBoxLayout;
    body->setSpacing(12);
    body->addWidget(categories_);
    body->addLayout(designArea, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel_);
    buttons->addWidget(use_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->setSpacing(8);
    layout->addWidget(title);
    layout->addWidget(subtitle);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    setTabOrder(categories_, designs_);
    setTabOrder(designs_, use_);
    setTabOrder(use_, cancel_);

    connect(categories_, &QListWidget::currentRowChanged, this, [this] { categoryChanged(); });
    // A double click activates the item as well: listening to both would use the design twice.
    connect(designs_, &QListView::activated, this, [this] { useCurrent(); });
    connect(use_, &QPushButton::clicked, this, [this] { useCurrent(); });
    connect(cancel_, &QPushButton::clicked, this, [this] {
        if (onCancelled)
            onCancelled();
    });
}

void TemplateGallery::showLibrary(const TemplateLibrary& library)
{
    library_ = &library;
    thumbnails_->forgetThumbnails();
    const QString before = currentCategory();
    const QSignalBlocker quiet(categories_);
    categories_->clear();
    for (const QString& category : library.categories()) {
        const qsizetype count = library.inCategory(category).size();
        auto* item = new QListWidgetItem(QStringLiteral("%1  (%2)").arg(category).arg(count), categories_);
        item->setData(categoryRole, category);
    }
    if (!selectCategory(before))
        categories_->setCurrentRow(0);
    categoryChanged();
    designs_->setFocus();
}

bool TemplateGallery::selectCategory(const QString& category)
{
    for (int row = 0; row < categories_->count(); ++row) {
        if (categories_->item(row)->data(categoryRole).toString() == category) {
            categories_->setCurrentRow(row);
            return true;
        }
    }
    return false;
}

QString TemplateGallery::currentCategory() const
{
    const QListWidgetItem* item = categories_->currentItem();
    return item ? item->data(categoryRole).toString() : QString();
}

const LogoTemplate* TemplateGallery::currentTemplate() const
{
    return thumbnails_->templateAt(designs_->currentIndex().row());
}

void TemplateGallery::categoryChanged()
{
    const QList<const LogoTemplate*> shown = library_ ? library_->inCategory(currentCategory()) : QList<const LogoTemplate*>();
    thumbnails_->showTemplates(shown);
    designs_->setVisible(!shown.isEmpty());
    emptyHint_->setVisible(shown.isEmpty());
    if (!shown.isEmpty())
        designs_->setCurrentIndex(thumbnails_->index(0));
    use_->setEnabled(!shown.isEmpty());
}

void TemplateGallery::useCurrent()
{
    if (const LogoTemplate* chosen = currentTemplate(); chosen && onChosen)
        onChosen(*chosen);
}

void TemplateGallery::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        if (onCancelled)
            onCancelled();
        return;
    }
    QFrame::keyPressEvent(event);
}

} // namespace vm
