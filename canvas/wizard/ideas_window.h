#pragma once

#include "canvas/logo/logo_renderer.h"

#include <QDialog>
#include <QElapsedTimer>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QListView;
class QPushButton;

namespace vm {

namespace ideas {
class IdeaGenerator;
}
class IdeaBoard;
struct IdeaCard;
class IdeaRequestForm;
class IdeaStream;

// "Logo ideas": the user's name and feel on the left, a grid of candidate
// logos on the right that fills while the user looks. Cards can be starred
// and varied; the chosen one becomes the editable logo. Not modal: Escape or
// Cancel closes it, and the editor stays usable behind it.
class IdeasWindow : public QDialog {
public:
    static constexpr int ideaCount = 60;
    static constexpr int variationCount = 12;

    IdeasWindow(std::shared_ptr<const ideas::IdeaGenerator> generator, const LogoResources& resources,
                QWidget* parent = nullptr);
    ~IdeasWindow() override;

    // The idea chosen and whether to save and publish it then; the window closes afterwards.
    std::function<void(const LogoDocument& logo, bool publish)> onChosen;

    void showIdeas();
    void moreLikeThis();
    void backToIdeas();
    void showStarred();
    void useCurrent();
    const IdeaCard* currentCard() const;

    IdeaRequestForm* form() const { return form_; }
    IdeaBoard* board() const { return board_; }
    QListView* grid() const { return grid_; }
    QPushButton* moreButton() const { return more_; }
    QPushButton* useButton() const { return use_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* backButton() const { return back_; }
    QPushButton* starredButton() const { return starred_; }
    QCheckBox* publishBox() const { return publish_; }
    bool streaming() const;
    // How many ideas the first delivery of the last search held, and the time
    // from "Show ideas" until they were painted (-1 before).
    int firstScreenful() const { return firstScreenful_; }
    qint64 firstScreenfulMs() const { return firstScreenfulMs_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildGridHeader();
    QWidget* buildButtons();
    int screenful() const;
    void cardsArrived();
    void syncState();

    std::shared_ptr<const ideas::IdeaGenerator> generator_;
    IdeaBoard* board_;
    IdeaStream* ideasStream_;
    IdeaStream* variationsStream_;
    IdeaRequestForm* form_;
    QListView* grid_;
    QLabel* emptyHint_ = nullptr;
    QLabel* heading_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* all_ = nullptr;
    QPushButton* starred_ = nullptr;
    QPushButton* back_ = nullptr;
    QCheckBox* publish_ = nullptr;
    QPushButton* more_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* use_ = nullptr;
    QElapsedTimer clock_;
    int firstScreenful_ = 0;
    qint64 firstScreenfulMs_ = -1;
    bool waitingForFirstPaint_ = false;
    bool chosen_ = false;
};

} // namespace vm
