#pragma once

#include "canvas/logo/logo_renderer.h"
#include "canvas/wizard/idea_board.h"

#include <QObject>
#include <QSize>
#include <atomic>
#include <functional>
#include <memory>

class QThread;

namespace vm {

// Makes ideas and their previews on a thread of its own and hands them to the
// window in pieces: the first screenful together, then a few at a time, so
// the window shows something at once and keeps answering while the rest
// arrive. The generator is shared read-only; the thread draws with a renderer
// of its own. One job at a time: a new one, stop() or the stream's end drops
// what the last one had not delivered.
class IdeaStream : public QObject {
public:
    IdeaStream(std::shared_ptr<const ideas::IdeaGenerator> generator, LogoResources resources, QObject* parent = nullptr);
    ~IdeaStream() override;

    // Ideas 1..count of request, the first `firstPiece` of them in one delivery.
    void startIdeas(const ideas::IdeaRequest& request, int count, int firstPiece);
    // count variations of one idea, delivered as they are drawn.
    void startVariations(const ideas::IdeaRequest& request, const ideas::Idea& of, int count);
    void stop();
    bool running() const { return running_; }

    // The preview's size in device pixels (the card's picture times the screen's scale).
    void setPreviewSize(const QSize& pixels) { previewSize_ = pixels; }

    // Called on the stream's own (the window's) thread.
    std::function<void(std::vector<IdeaCard>)> onCards;
    std::function<void()> onFinished;

    // A logo drawn to fit size, centred on its own background (white when it has none).
    static QImage preview(const LogoRenderer& renderer, const LogoDocument& logo, const QSize& size);

private:
    // deliver(cards) hands cards to the window; false once the job is dropped
    // (an empty piece only asks).
    using Work = std::function<void(const std::function<bool(std::vector<IdeaCard>)>& deliver)>;
    void run(Work work);

    std::shared_ptr<const ideas::IdeaGenerator> generator_;
    LogoResources resources_;
    QSize previewSize_{400, 312};
    QThread* thread_ = nullptr;
    std::shared_ptr<std::atomic<bool>> cancelled_;
    int job_ = 0;
    bool running_ = false;
};

} // namespace vm
