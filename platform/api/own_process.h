#pragma once

#include <QtGlobal>

namespace vm {

// True when a process with this id is running under this user. A process
// that is gone, or whose id now belongs to another user's process, counts as
// not running.
bool isOwnRunningProcess(qint64 pid);

} // namespace vm
