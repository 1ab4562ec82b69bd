#pragma once

#include <QString>

namespace vm {

// A file that says "this copy of the program is running": the copy holds an
// exclusive lock on it for its whole life. The kernel drops the lock when the
// process ends in any way (exit, crash, SIGKILL), and a machine that lost
// power starts with no locks at all, so a marker nobody holds belongs to a
// copy that is gone, whatever process now has its old id.
class RunningMarker {
public:
    RunningMarker() = default;
    ~RunningMarker();
    RunningMarker(const RunningMarker&) = delete;
    RunningMarker& operator=(const RunningMarker&) = delete;

    // Creates the marker at path, already locked: it is locked under a
    // temporary name and renamed into place, so no other copy ever sees it
    // unlocked. False when it cannot be made.
    bool claim(const QString& path);
    // Removes the marker and drops the lock (a clean end).
    void release();
    bool held() const { return descriptor_ >= 0; }

    // Who holds the marker at path. Nobody when it is gone or unlocked; Unknown
    // when it cannot be opened (another user's, permission denied) or is not a
    // plain file: what such a marker guards is left to whoever made it.
    enum class Holder { Nobody, Running, Unknown };
    static Holder holderOf(const QString& path);

private:
    int descriptor_ = -1;
    QString path_;
};

} // namespace vm
