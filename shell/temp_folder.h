#pragma once

#include <QString>

namespace vm {

class ErrorTrap;
class OsFacts;
class Rights;
class SystemDialogs;
struct HostState;

// The work folder used while publishing and printing, and the start-up check
// of the menu library. TempRoot/tmpEPS is the user's; each running copy works
// in a folder of its own inside it, named by its process id, so one copy's
// end never removes another's work.
QString sharedWorkFolderOf(const HostState& state);
QString workFolderOf(const HostState& state);
// Where publishing keeps its work files (sample.png, VmEPS/): the program
// folder's bin/, or, when the program folder is read-only, this copy's work
// folder (the user's cache when there is none); made when missing.
QString workBinFolderOf(const HostState& state);

class TempFolder {
public:
    TempFolder(HostState& state, OsFacts& os, Rights& rights, ErrorTrap& trap);

    void PrepareTempFolder();
    // Only when the program really ends: a cancelled close keeps it. Removes
    // this copy's folder and those of copies no longer running.
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
