#pragma once

#include <QString>

namespace vm {

// Facts about the system the program runs on.
class OsFacts {
public:
    virtual ~OsFacts() = default;
    virtual QString documentsFolder() = 0;                    // the user's Documents folder, "" when none
    virtual QString environment(const QString& name) = 0;     // "" when unset
    virtual QString tempFolder() = 0;                         // a temporary folder of this user's own
};

// The start-up environment query: 1 when the user may install a printer, 0 otherwise.
class Rights {
public:
    virtual ~Rights() = default;
    virtual int environmentQuery() = 0;
};

// Opens a web address or a file with the desktop's chosen program.
class ShellOpener {
public:
    virtual ~ShellOpener() = default;
    virtual void open(const QString& verb, const QString& target, int showCommand) = 0;
};

class NetworkInfo {
public:
    virtual ~NetworkInfo() = default;
    // The machine's local address, "" when it has none.
    virtual QString localAddress() = 0;
};

// Ends the process at once: no further handlers run, nothing is saved.
class ProcessControl {
public:
    virtual ~ProcessControl() = default;
    virtual void endProcess(int exitCode) = 0;
};

} // namespace vm
