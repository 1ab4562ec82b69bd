#pragma once

#include "canvas/ideas/idea_generator.h"

#include <QAbstractListModel>
#include <QImage>
#include <optional>
#include <vector>

namespace vm {

// One idea as the ideas window shows it: the logo, the request that made it
// (its variations are asked of the same request), its preview and the label
// on its card.
struct IdeaCard {
    ideas::Idea idea;
    ideas::IdeaRequest request;
    QImage preview;
    QString label;
};

// The cards of the ideas window, one list shown at a time: the ideas of the
// last search as they arrive, the variations of one idea, or the starred ones.
// Stars belong to the window, not to a search: a new search keeps them, and
// an idea of the new search that is the same logo shows its star again.
class IdeaBoard : public QAbstractListModel {
public:
    enum class Shown { Ideas, Variations, Starred };
    enum Role { StarredRole = Qt::UserRole + 1, PreviewRole, LabelRole };

    using QAbstractListModel::QAbstractListModel;

    // A new search: its ideas replace the last one's and show.
    void startIdeas();
    void addIdeas(std::vector<IdeaCard> cards);
    // Variations of one card replace the last ones and show.
    void startVariations(const IdeaCard& of);
    void addVariations(std::vector<IdeaCard> cards);
    void show(Shown list);

    Shown shown() const { return shown_; }
    const IdeaCard* cardAt(int row) const;
    // The card the variations were made of, while variations show or were last made.
    const std::optional<IdeaCard>& variationsOf() const { return base_; }
    int ideaCount() const { return int(ideas_.size()); }
    int starredCount() const { return int(starred_.size()); }
    bool isStarred(const ideas::Idea& idea) const;
    void toggleStar(int row);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<IdeaCard>& list(Shown which);
    const std::vector<IdeaCard>& shownList() const;
    void append(Shown which, std::vector<IdeaCard> cards);
    void replace(Shown which, std::vector<IdeaCard> cards);

    std::vector<IdeaCard> ideas_;
    std::vector<IdeaCard> variations_;
    std::vector<IdeaCard> starred_;
    std::optional<IdeaCard> base_;
    Shown shown_ = Shown::Ideas;
};

} // namespace vm
