#pragma once

#include <QByteArray>
#include <QString>

namespace vm {

// The result of writing a file the program owns.
struct WriteOutcome {
    bool ok = true;
    int errorNumber = 0; // the run-time error number for the log
    QString reason;      // what went wrong, in words for the user and the log

    static WriteOutcome failure(int number, QString why) { return {false, number, std::move(why)}; }
};

// Replaces path with bytes whole or not at all: a temporary file beside the
// target, renamed over it, so a crash or a full disk never leaves a truncated
// file. A read-only target is refused even though its folder would allow the
// rename: the user made it read-only.
// Synced also waits until the bytes and the rename are on the disk, so not
// even a power loss leaves the target other than old or new.
enum class Durability { Cached, Synced };
WriteOutcome writeFileAtomically(const QString& path, const QByteArray& bytes,
                                 Durability durability = Durability::Cached);

} // namespace vm
