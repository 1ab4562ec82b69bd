#include "canvas/wizard/idea_board.h"

#include <algorithm>

namespace vm {

namespace {
// The same idea: its place in its list and the logo it draws. A generator
// makes the same logo for the same request, so a repeated search finds its stars.
bool sameIdea(const ideas::Idea& one, const ideas::Idea& other)
{
    return one.number == other.number && one.logo == other.logo;
}
} // namespace

std::vector<IdeaCard>& IdeaBoard::list(Shown which)
{
    switch (which) {
    case Shown::Variations: return variations_;
    case Shown::Starred: return starred_;
    case Shown::Ideas: break;
    }
    return ideas_;
}

const std::vector<IdeaCard>& IdeaBoard::shownList() const { return const_cast<IdeaBoard*>(this)->list(shown_); }

void IdeaBoard::replace(Shown which, std::vector<IdeaCard> cards)
{
    if (which == shown_)
        beginResetModel();
    list(which) = std::move(cards);
    if (which == shown_)
        endResetModel();
}

void IdeaBoard::append(Shown which, std::vector<IdeaCard> cards)
{
    if (cards.empty())
        return;
    std::vector<IdeaCard>& target = list(which);
    const int first = int(target.size());
    if (which == shown_)
        beginInsertRows(QModelIndex(), first, first + int(cards.size()) - 1);
    for (IdeaCard& card : cards)
        target.push_back(std::move(card));
    if (which == shown_)
        endInsertRows();
}

void IdeaBoard::startIdeas()
{
    replace(Shown::Ideas, {});
    show(Shown::Ideas);
}

void IdeaBoard::addIdeas(std::vector<IdeaCard> cards) { append(Shown::Ideas, std::move(cards)); }

void IdeaBoard::startVariations(const IdeaCard& of)
{
    base_ = of;
    replace(Shown::Variations, {});
    show(Shown::Variations);
}

void IdeaBoard::addVariations(std::vector<IdeaCard> cards) { append(Shown::Variations, std::move(cards)); }

void IdeaBoard::show(Shown which)
{
    if (which == shown_)
        return;
    beginResetModel();
    shown_ = which;
    endResetModel();
}

const IdeaCard* IdeaBoard::cardAt(int row) const
{
    const std::vector<IdeaCard>& cards = shownList();
    return row >= 0 && row < int(cards.size()) ? &cards[size_t(row)] : nullptr;
}

bool IdeaBoard::isStarred(const ideas::Idea& idea) const
{
    return std::any_of(starred_.begin(), starred_.end(), [&](const IdeaCard& card) { return sameIdea(card.idea, idea); });
}

void IdeaBoard::toggleStar(int row)
{
    const IdeaCard* card = cardAt(row);
    if (!card)
        return;
    const auto found = std::find_if(starred_.begin(), starred_.end(),
                                    [&](const IdeaCard& starred) { return sameIdea(starred.idea, card->idea); });
    if (found == starred_.end()) {
        const IdeaCard copy = *card;
        append(Shown::Starred, {copy});
    }
    else {
        const int at = int(found - starred_.begin());
        if (shown_ == Shown::Starred)
            beginRemoveRows(QModelIndex(), at, at);
        starred_.erase(found);
        if (shown_ == Shown::Starred)
            endRemoveRows();
    }
    // The same logo may show on several cards of the list in view.
    if (rowCount() > 0)
        emit dataChanged(index(0), index(rowCount() - 1), {StarredRole});
}

int IdeaBoard::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(shownList().size()); }

QVariant IdeaBoard::data(const QModelIndex& index, int role) const
{
    const IdeaCard* card = index.isValid() ? cardAt(index.row()) : nullptr;
    if (!card)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case LabelRole: return card->label;
    case Qt::ToolTipRole:
        return tr("%1: double-click or Enter to use it, Space or the star to keep it at hand").arg(card->label);
    case Qt::AccessibleTextRole: return card->label;
    case StarredRole: return isStarred(card->idea);
    case PreviewRole: return card->preview;
    default: return {};
    }
}

} // namespace vm
