#include "platform/scripted/answer_queue.h"

#include <QStringList>

namespace vm {

namespace {
struct KindInfo {
    AnswerQueue::Kind kind;
    const char* name;
    QStringList words; // empty: any text
};

const QList<KindInfo>& kinds()
{
    static const QList<KindInfo> all = {
        {AnswerQueue::Kind::YesNo, "yesno", {"yes", "no", "close"}},
        {AnswerQueue::Kind::YesNoCancel, "yesnocancel", {"yes", "no", "cancel", "close"}},
        {AnswerQueue::Kind::Alert, "alert", {"ok", "close"}},
        {AnswerQueue::Kind::MsgBox, "msgbox", {"ok", "yes", "no", "cancel"}},
        {AnswerQueue::Kind::SaveFile, "savefile", {}},
        {AnswerQueue::Kind::OpenFile, "openfile", {}},
    };
    return all;
}

const KindInfo& info(AnswerQueue::Kind kind)
{
    for (const KindInfo& entry : kinds())
        if (entry.kind == kind)
            return entry;
    return kinds().first();
}
} // namespace

std::optional<AnswerQueue::Kind> AnswerQueue::kindFromName(const QString& name)
{
    for (const KindInfo& entry : kinds())
        if (name == QLatin1String(entry.name))
            return entry.kind;
    return std::nullopt;
}

QString AnswerQueue::kindName(Kind kind)
{
    return QString::fromLatin1(info(kind).name);
}

bool AnswerQueue::isValidAnswer(Kind kind, const QString& value)
{
    const QStringList& words = info(kind).words;
    return words.isEmpty() || words.contains(value);
}

bool AnswerQueue::push(Kind kind, const QString& value)
{
    if (!isValidAnswer(kind, value))
        return false;
    queues_[kind].enqueue(value);
    return true;
}

std::optional<QString> AnswerQueue::take(Kind kind)
{
    auto queue = queues_.find(kind);
    if (queue == queues_.end() || queue->isEmpty())
        return std::nullopt;
    return queue->dequeue();
}

bool AnswerQueue::isEmpty() const
{
    for (const QQueue<QString>& queue : queues_)
        if (!queue.isEmpty())
            return false;
    return true;
}

QList<QPair<AnswerQueue::Kind, QString>> AnswerQueue::remaining() const
{
    QList<QPair<Kind, QString>> left;
    for (const KindInfo& entry : kinds())
        for (const QString& value : queues_.value(entry.kind))
            left.append({entry.kind, value});
    return left;
}

} // namespace vm
