#pragma once

#include <QString>

namespace vm {

class ErrorTrap;
class OsFacts;
class Rights;
class SystemDialogs;
struct HostState;

// The work folder TempRoot/tmpEPS used while publishing and printing, and the
// start-up check of the menu library.
class TempFolder {
public:
    TempFolder(HostState& state, OsFacts& os, Rights& rights, ErrorTrap& trap);

    void PrepareTempFolder();
    // Only when the program really ends: a cancelled close keeps it.
    void DeleteTempFolder();
    // Made again when missing, before anything is printed into it.
    void ensureWorkFolder();
    QString workFolder() const;

private:
    HostState& state_;
    OsFacts& os_;
    Rights& rights_;
    ErrorTrap& trap_;
};

// Proves that the menu bar's item collection can be made; says so when not.
bool CheckMenuLibrary(SystemDialogs& dialogs);

} // namespace vm
