#include "canvas/wizard/ideas_window.h"

#include "canvas/ideas/idea_generator.h"
#include "canvas/look/editor_look.h"
#include "canvas/wizard/idea_board.h"
#include "canvas/wizard/idea_card_delegate.h"
#include "canvas/wizard/idea_request_form.h"
#include "canvas/wizard/idea_stream.h"
#include "canvas/wizard/keyword_field.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace vm {

namespace {
constexpr int suggestionLimit = 12;

const char* const windowStyle = R"(
QDialog#ideasWindow { background: #eef4fa; }
QFrame#ideasForm { background: #ffffff; border: 1px solid #c3d3e3; border-radius: 8px; }
QLabel#ideasTitle { font-size: 20px; font-weight: bold; color: #1f3a5f; }
QLabel#ideasCaption { color: #1f3a5f; font-weight: bold; }
QLabel#ideasHeading { color: #1f3a5f; font-size: 14px; font-weight: bold; }
QLabel#ideasStatus { color: #5d6f82; }
QLabel#ideasEmpty { color: #5d6f82; font-size: 13px; }
QFrame#ideasForm QLineEdit { padding: 5px 6px; border: 1px solid #c3d3e3; border-radius: 4px; background: #ffffff; }
QFrame#ideasForm QLineEdit:focus { border: 1px solid #1379ce; }
QPushButton[look="chip"] { background: #ffffff; color: #2b4663; border: 1px solid #c3d3e3; border-radius: 13px; padding: 5px 8px; }
QPushButton[look="chip"]:hover { border-color: #9fc3e6; background: #f3f8fd; }
QPushButton[look="chip"]:checked { background: #1379ce; color: #ffffff; border-color: #0f5fa3; }
QPushButton[look="chip"]:focus { border-color: #1379ce; }
QPushButton[look="tab"] { background: transparent; color: #4a5d70; border: none; border-bottom: 2px solid transparent; padding: 6px 10px; }
QPushButton[look="tab"]:hover { color: #1f3a5f; }
QPushButton[look="tab"]:checked { color: #1379ce; border-bottom: 2px solid #1379ce; }
QListView#ideasGrid { background: #eef4fa; border: none; }
QPushButton { padding: 6px 16px; }
)";
} // namespace

IdeasWindow::IdeasWindow(std::shared_ptr<const ideas::IdeaGenerator> generator, const LogoResources& resources, QWidget* parent)
    : QDialog(parent), generator_(std::move(generator)), board_(new IdeaBoard(this)),
      ideasStream_(new IdeaStream(generator_, resources, this)), variationsStream_(new IdeaStream(generator_, resources, this)),
      form_(new IdeaRequestForm(new KeywordField([this](const QString& prefix) {
          return generator_->keywordSuggestions(prefix, suggestionLimit);
      }))),
      grid_(new QListView(this))
{
    setObjectName(QStringLiteral("ideasWindow"));
    setWindowTitle(tr("Logo ideas"));
    setModal(false);
    setSizeGripEnabled(true);
    setStyleSheet(editor_look::styleSheet() + QString::fromLatin1(windowStyle));
    form_->setParent(this);
    form_->setFixedWidth(290);
    form_->onSubmitted = [this] { showIdeas(); };

    grid_->setObjectName(QStringLiteral("ideasGrid"));
    grid_->setModel(board_);
    grid_->setItemDelegate(new IdeaCardDelegate([this](int row) { board_->toggleStar(row); }, grid_));
    grid_->setViewMode(QListView::IconMode);
    grid_->setMovement(QListView::Static);
    grid_->setResizeMode(QListView::Adjust);
    grid_->setUniformItemSizes(true);
    grid_->setGridSize(IdeaCardDelegate::cellSize());
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setMouseTracking(true);
    grid_->setFocusPolicy(Qt::StrongFocus);
    grid_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    grid_->installEventFilter(this);
    grid_->viewport()->installEventFilter(this);

    emptyHint_ = new QLabel(this);
    emptyHint_->setObjectName(QStringLiteral("ideasEmpty"));
    emptyHint_->setAlignment(Qt::AlignCenter);
    emptyHint_->setWordWrap(true);

    auto* title = new QLabel(tr("Logo ideas"), this);
    title->setObjectName(QStringLiteral("ideasTitle"));
    auto* subtitle = new QLabel(tr("Type your name, pick a feel, and choose from dozens of logos. You can change "
                                   "everything afterwards."), this);
    editor_look::setLook(subtitle, "hint");

    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    right->addWidget(buildGridHeader());
    right->addWidget(grid_, 1);
    right->addWidget(emptyHint_, 1);
    auto* body = new QHBoxLayout;
    body->setSpacing(14);
    body->addWidget(form_);
    body->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->setSpacing(8);
    layout->addWidget(title);
    layout->addWidget(subtitle);
    layout->addLayout(body, 1);
    layout->addWidget(buildButtons());

    ideasStream_->setPreviewSize(IdeaCardDelegate::previewSize() * devicePixelRatioF());
    variationsStream_->setPreviewSize(IdeaCardDelegate::previewSize() * devicePixelRatioF());
    ideasStream_->onCards = [this](std::vector<IdeaCard> cards) {
        const bool first = board_->ideaCount() == 0;
        board_->addIdeas(std::move(cards));
        if (first) {
            firstScreenful_ = board_->ideaCount();
            waitingForFirstPaint_ = true;
        }
        cardsArrived();
    };
    variationsStream_->onCards = [this](std::vector<IdeaCard> cards) {
        board_->addVariations(std::move(cards));
        cardsArrived();
    };
    ideasStream_->onFinished = [this] { syncState(); };
    variationsStream_->onFinished = [this] { syncState(); };

    // A double click activates the item as well: listening to both would choose twice.
    connect(grid_, &QListView::activated, this, [this] { useCurrent(); });
    connect(board_, &QAbstractItemModel::modelReset, this, [this] {
        // Another list in view: its first card is the one Enter would use.
        if (board_->rowCount() > 0)
            grid_->setCurrentIndex(board_->index(0));
        syncState();
    });
    connect(board_, &QAbstractItemModel::rowsRemoved, this, [this] { syncState(); });
    connect(board_, &QAbstractItemModel::dataChanged, this, [this] { syncState(); });
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { syncState(); });

    setTabOrder(form_->showButton(), grid_);
    resize(1120, 720);
    setMinimumSize(780, 540);
    form_->nameField()->setFocus();
    syncState();
}

IdeasWindow::~IdeasWindow()
{
    // The threads stop before the board their pieces go to.
    ideasStream_->stop();
    variationsStream_->stop();
}

QWidget* IdeasWindow::buildGridHeader()
{
    auto* header = new QWidget(this);
    all_ = new QPushButton(header);
    all_->setObjectName(QStringLiteral("ideasAll"));
    starred_ = new QPushButton(header);
    starred_->setObjectName(QStringLiteral("ideasStarred"));
    back_ = new QPushButton(tr("\u2190 Back to all ideas"), header);
    back_->setObjectName(QStringLiteral("ideasBack"));
    heading_ = new QLabel(header);
    heading_->setObjectName(QStringLiteral("ideasHeading"));
    status_ = new QLabel(header);
    status_->setObjectName(QStringLiteral("ideasStatus"));
    auto* tabs = new QButtonGroup(header);
    for (QPushButton* tab : {all_, starred_}) {
        editor_look::setLook(tab, "tab");
        tab->setCheckable(true);
        tab->setAutoDefault(false);
        tabs->addButton(tab);
    }
    back_->setAutoDefault(false);
    all_->setChecked(true);
    auto* layout = new QHBoxLayout(header);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(back_);
    layout->addWidget(all_);
    layout->addWidget(starred_);
    layout->addWidget(heading_);
    layout->addStretch(1);
    layout->addWidget(status_);
    connect(all_, &QPushButton::clicked, this, [this] { backToIdeas(); });
    connect(back_, &QPushButton::clicked, this, [this] { backToIdeas(); });
    connect(starred_, &QPushButton::clicked, this, [this] { showStarred(); });
    return header;
}

QWidget* IdeasWindow::buildButtons()
{
    auto* row = new QWidget(this);
    publish_ = new QCheckBox(tr("Save and publish the logo when I choose it"), row);
    publish_->setObjectName(QStringLiteral("ideasPublish"));
    more_ = new QPushButton(tr("More like this"), row);
    more_->setObjectName(QStringLiteral("ideasMore"));
    more_->setToolTip(tr("Variations of the selected idea: other colours, fonts, layout or symbol"));
    cancel_ = new QPushButton(tr("Cancel"), row);
    cancel_->setObjectName(QStringLiteral("ideasCancel"));
    use_ = new QPushButton(tr("Use this idea"), row);
    use_->setObjectName(QStringLiteral("ideasUse"));
    editor_look::setLook(use_, "primary");
    for (QPushButton* button : {more_, cancel_, use_})
        button->setAutoDefault(false);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->addWidget(publish_);
    layout->addStretch(1);
    layout->addWidget(more_);
    layout->addSpacing(12);
    layout->addWidget(cancel_);
    layout->addWidget(use_);
    connect(more_, &QPushButton::clicked, this, [this] { moreLikeThis(); });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(use_, &QPushButton::clicked, this, [this] { useCurrent(); });
    return row;
}

int IdeasWindow::screenful() const
{
    const QSize cell = IdeaCardDelegate::cellSize();
    // The grid is hidden while empty; the hint in its place has its size.
    const QSize area = grid_->isVisible() ? grid_->viewport()->size() : emptyHint_->size();
    const int columns = std::max(1, area.width() / cell.width());
    const int rows = std::max(1, int(std::ceil(double(area.height()) / cell.height())));
    return std::clamp(columns * rows, 6, 30);
}

bool IdeasWindow::streaming() const { return ideasStream_->running() || variationsStream_->running(); }

const IdeaCard* IdeasWindow::currentCard() const { return board_->cardAt(grid_->currentIndex().row()); }

void IdeasWindow::showIdeas()
{
    const ideas::IdeaRequest request = form_->request();
    if (request.name.isEmpty())
        return;
    variationsStream_->stop();
    board_->startIdeas();
    firstScreenful_ = 0;
    firstScreenfulMs_ = -1;
    waitingForFirstPaint_ = false;
    clock_.start();
    ideasStream_->startIdeas(request, ideaCount, screenful());
    syncState();
}

void IdeasWindow::moreLikeThis()
{
    const IdeaCard* card = currentCard();
    if (!card)
        return;
    const IdeaCard base = *card;
    board_->startVariations(base);
    variationsStream_->startVariations(base.request, base.idea, variationCount);
    grid_->setFocus();
    syncState();
}

void IdeasWindow::backToIdeas() { board_->show(IdeaBoard::Shown::Ideas); }
void IdeasWindow::showStarred() { board_->show(IdeaBoard::Shown::Starred); }

void IdeasWindow::useCurrent()
{
    const IdeaCard* card = currentCard();
    if (!card || chosen_)
        return;
    // One choice per window: a second activation of the same click is not another choice.
    chosen_ = true;
    const LogoDocument logo = card->idea.logo;
    const bool publish = publish_->isChecked();
    accept();
    if (onChosen)
        onChosen(logo, publish);
}

void IdeasWindow::cardsArrived()
{
    if (!grid_->currentIndex().isValid() && board_->rowCount() > 0) {
        grid_->setCurrentIndex(board_->index(0));
        // The search came from the form: the arrows and Enter now belong to the grid.
        if (form_->isAncestorOf(focusWidget()))
            grid_->setFocus();
    }
    syncState();
}

void IdeasWindow::syncState()
{
    const IdeaBoard::Shown shown = board_->shown();
    const bool ideasShown = shown == IdeaBoard::Shown::Ideas;
    all_->setText(board_->ideaCount() > 0 ? tr("All ideas (%1)").arg(board_->ideaCount()) : tr("All ideas"));
    starred_->setText(tr("Starred (%1)").arg(board_->starredCount()));
    all_->setChecked(ideasShown);
    starred_->setChecked(shown == IdeaBoard::Shown::Starred);
    const bool varied = shown == IdeaBoard::Shown::Variations;
    back_->setVisible(varied);
    all_->setVisible(!varied);
    starred_->setVisible(!varied);
    heading_->setVisible(varied);
    if (varied && board_->variationsOf())
        heading_->setText(tr("More like %1").arg(board_->variationsOf()->label));

    if (ideasShown && ideasStream_->running())
        status_->setText(tr("Making ideas\u2026 %1 of %2").arg(board_->ideaCount()).arg(ideaCount));
    else if (varied && variationsStream_->running())
        status_->setText(tr("Making variations\u2026 %1 of %2").arg(board_->rowCount()).arg(variationCount));
    else if (board_->rowCount() > 0)
        status_->setText(tr("Double-click an idea or press Enter to use it"));
    else
        status_->clear();

    const bool empty = board_->rowCount() == 0;
    grid_->setVisible(!empty);
    emptyHint_->setVisible(empty);
    if (shown == IdeaBoard::Shown::Starred)
        emptyHint_->setText(tr("No starred ideas yet.\nClick the star on an idea (or press Space) to keep it here."));
    else if (ideasStream_->running() || variationsStream_->running())
        emptyHint_->setText(tr("Making ideas\u2026"));
    else
        emptyHint_->setText(tr("Your ideas appear here.\nType your business name on the left and press Show ideas."));
    const bool picked = currentCard() != nullptr;
    use_->setEnabled(picked);
    more_->setEnabled(picked);
}

bool IdeasWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == grid_->viewport() && event->type() == QEvent::Resize) {
        // The columns share the width: no strip of empty desk on the right.
        const QSize cell = IdeaCardDelegate::cellSize();
        const int width = grid_->viewport()->width();
        const int columns = std::max(1, width / cell.width());
        grid_->setGridSize(QSize(std::max(cell.width(), width / columns), cell.height()));
    }
    if (watched == grid_->viewport() && event->type() == QEvent::Paint && waitingForFirstPaint_) {
        waitingForFirstPaint_ = false;
        firstScreenfulMs_ = clock_.elapsed();
    }
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && grid_->currentIndex().isValid()) {
            board_->toggleStar(grid_->currentIndex().row());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vm
