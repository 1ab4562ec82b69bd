#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QQueue>
#include <QString>
#include <optional>

namespace vm {

// The user's answers a script gives ahead of time, one queue per kind of
// question; each question takes the oldest answer of its kind.
class AnswerQueue {
public:
    enum class Kind { YesNo, YesNoCancel, Alert, MsgBox, SaveFile, OpenFile };

    // "yesno", "yesnocancel", "alert", "msgbox", "savefile", "openfile".
    static std::optional<Kind> kindFromName(const QString& name);
    static QString kindName(Kind kind);
    // The words a kind accepts; any path (or "" to cancel) for the file dialogs.
    static bool isValidAnswer(Kind kind, const QString& value);

    // False (and nothing queued) when the value does not answer that kind.
    bool push(Kind kind, const QString& value);
    std::optional<QString> take(Kind kind);
    qsizetype pending(Kind kind) const { return queues_.value(kind).size(); }
    bool isEmpty() const;
    // What no question took, by kind then age.
    QList<QPair<Kind, QString>> remaining() const;

private:
    QHash<Kind, QQueue<QString>> queues_;
};

} // namespace vm
