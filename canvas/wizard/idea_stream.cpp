#include "canvas/wizard/idea_stream.h"

#include <QPainter>
#include <QThread>

namespace vm {

namespace {
constexpr int laterPiece = 6;
} // namespace

IdeaStream::IdeaStream(std::shared_ptr<const ideas::IdeaGenerator> generator, LogoResources resources, QObject* parent)
    : QObject(parent), generator_(std::move(generator)), resources_(std::move(resources))
{
}

IdeaStream::~IdeaStream() { stop(); }

QImage IdeaStream::preview(const LogoRenderer& renderer, const LogoDocument& logo, const QSize& size)
{
    const QColor ground = logo.background.isValid() && logo.background.alpha() > 0 ? logo.background : QColor(Qt::white);
    QImage framed(size, QImage::Format_ARGB32_Premultiplied);
    framed.fill(ground);
    const QSizeF stage(logo.stageSize);
    if (stage.isEmpty())
        return framed;
    const double scale = std::min(size.width() / stage.width(), size.height() / stage.height());
    const QImage drawn = renderer.render(logo, scale, ground);
    QPainter painter(&framed);
    painter.drawImage(QPointF((size.width() - drawn.width()) / 2.0, (size.height() - drawn.height()) / 2.0), drawn);
    return framed;
}

void IdeaStream::stop()
{
    ++job_;
    running_ = false;
    if (!thread_)
        return;
    cancelled_->store(true);
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
}

void IdeaStream::run(Work work)
{
    stop();
    const int job = job_;
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    cancelled_ = cancelled;
    running_ = true;
    // Deliveries go through this object's event queue: they reach the window
    // between its own events, and none arrives once the object is gone.
    const auto deliver = [this, job, cancelled](std::vector<IdeaCard> cards) {
        if (cancelled->load())
            return false;
        if (cards.empty())
            return true;
        QMetaObject::invokeMethod(this, [this, job, cards = std::move(cards)]() mutable {
            if (job == job_ && onCards)
                onCards(std::move(cards));
        }, Qt::QueuedConnection);
        return true;
    };
    thread_ = QThread::create([this, job, cancelled, deliver, work = std::move(work)] {
        work(deliver);
        if (cancelled->load())
            return;
        QMetaObject::invokeMethod(this, [this, job] {
            if (job != job_)
                return;
            running_ = false;
            if (onFinished)
                onFinished();
        }, Qt::QueuedConnection);
    });
    thread_->start(QThread::LowPriority);
}

void IdeaStream::startIdeas(const ideas::IdeaRequest& request, int count, int firstPiece)
{
    const QSize size = previewSize_;
    run([generator = generator_, resources = resources_, request, count, firstPiece, size](const auto& deliver) {
        const LogoRenderer renderer(resources);
        int next = 1;
        while (next <= count) {
            const int piece = std::min(next == 1 ? std::max(firstPiece, 1) : laterPiece, count - next + 1);
            std::vector<IdeaCard> cards;
            for (ideas::Idea& idea : generator->ideas(request, next, piece)) {
                if (!deliver({}))
                    return;
                const QString label = QObject::tr("Idea %1").arg(idea.number);
                QImage picture = preview(renderer, idea.logo, size);
                cards.push_back({std::move(idea), request, std::move(picture), label});
            }
            // A generator with fewer ideas than asked ends the list there.
            const bool last = cards.size() < size_t(piece);
            if (!deliver(std::move(cards)) || last)
                return;
            next += piece;
        }
    });
}

void IdeaStream::startVariations(const ideas::IdeaRequest& request, const ideas::Idea& of, int count)
{
    const QSize size = previewSize_;
    run([generator = generator_, resources = resources_, request, of, count, size](const auto& deliver) {
        const LogoRenderer renderer(resources);
        int made = 0;
        for (ideas::Idea& idea : generator->variations(request, of, count)) {
            const QString label = QObject::tr("Idea %1, variation %2").arg(of.number).arg(++made);
            QImage picture = preview(renderer, idea.logo, size);
            if (!deliver({{std::move(idea), request, std::move(picture), label}}))
                return;
        }
    });
}

} // namespace vm
