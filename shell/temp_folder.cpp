#include "shell/temp_folder.h"

#include "platform/api/own_process.h"
#include "platform/api/path_style.h"
#include "platform/api/system_dialogs.h"
#include "platform/api/system_services.h"
#include "shell/host_state.h"
#include "shell/log/error_trap.h"
#include "shell/menu_items.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <memory>

namespace vm {

namespace {
const QString workFolderName = QStringLiteral("tmpEPS");

// Read-only files are deleted too: the work folder is ours. Links are removed
// as links: neither their targets' modes nor their targets' contents are touched.
void removeFolder(const QString& path)
{
    if (QFileInfo(path).isSymLink()) {
        QFile::remove(path);
        return;
    }
    QDirIterator it(path, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString entry = it.next();
        if (it.fileInfo().isSymLink())
            continue;
        QFile::setPermissions(entry, QFile::permissions(entry) | QFileDevice::WriteOwner | QFileDevice::ReadOwner
                                         | QFileDevice::ExeOwner);
    }
    QDir(path).removeRecursively();
}
} // namespace

TempFolder::TempFolder(HostState& state, OsFacts& os, Rights& rights, ErrorTrap& trap)
    : state_(state), os_(os), rights_(rights), trap_(trap)
{
}

QString sharedWorkFolderOf(const HostState& state)
{
    return state.tempRoot + path_style::separator + workFolderName;
}

QString workFolderOf(const HostState& state)
{
    return sharedWorkFolderOf(state) + path_style::separator + QString::number(QCoreApplication::applicationPid());
}

QString workBinFolderOf(const HostState& state)
{
    if (!state.places.perUser())
        return state.programFolder + path_style::separator + QStringLiteral("bin");
    const QString folder = state.tempRoot.isEmpty() ? state.places.workBinFolder() : workFolderOf(state);
    QDir().mkpath(folder + path_style::separator + QStringLiteral("VmEPS"));
    return folder;
}

QString TempFolder::workFolder() const
{
    return workFolderOf(state_);
}

void TempFolder::PrepareTempFolder()
{
    trap_.run(QStringLiteral("mdlForAll\\PrepareTempFolder"), [&] {
        state_.tempRoot.clear();
        state_.keepTempFolder = false;
        const int status = rights_.environmentQuery();
        if (status == 1) {
            state_.keepTempFolder = true;
        } else if (status == 0) {
            state_.tempRoot = os_.documentsFolder().section(QChar(0), 0, 0).trimmed();
            if (state_.tempRoot.trimmed().isEmpty())
                state_.tempRoot = os_.environment(QStringLiteral("HOMEDRIVE")) + os_.environment(QStringLiteral("HOMEPATH"));
            if (state_.tempRoot.trimmed().isEmpty())
                state_.tempRoot = os_.tempFolder();
            ensureWorkFolder();
        }
    });
    // The last resort is still the user's own folder: a shared one would mix
    // two users' work and let one copy's exit delete it under another.
    if (state_.tempRoot.trimmed().isEmpty() && !state_.keepTempFolder)
        state_.tempRoot = os_.tempFolder();
    if (state_.tempRoot.trimmed().isEmpty())
        state_.tempRoot = path_style::fallbackTempRoot;
}

void TempFolder::ensureWorkFolder()
{
    if (!state_.keepTempFolder && !state_.tempRoot.trimmed().isEmpty() && !QFileInfo::exists(workFolder()))
        QDir().mkpath(workFolder());
}

void TempFolder::DeleteTempFolder()
{
    trap_.run(QStringLiteral("mdlForAll\\DeleteTempFolder"), [&] {
        if (state_.keepTempFolder)
            return;
        if (QFileInfo::exists(workFolder()))
            removeFolder(workFolder());
        // Folders left by copies that ended without cleaning (a crash, a kill).
        // Only real folders named by a process id: a link or anything else
        // here is not ours to remove.
        const QString shared = sharedWorkFolderOf(state_);
        if (QFileInfo(shared).isSymLink())
            return;
        const QDir::Filters folders = QDir::Dirs | QDir::NoSymLinks | QDir::Hidden | QDir::NoDotAndDotDot;
        for (const QString& name : QDir(shared).entryList(folders)) {
            bool number = false;
            const qint64 pid = name.toLongLong(&number);
            if (number && name == QString::number(pid) && !isOwnRunningProcess(pid))
                removeFolder(shared + path_style::separator + name);
        }
    });
}

bool CheckMenuLibrary(SystemDialogs& dialogs)
{
    const auto collection = std::make_unique<MenuItems>();
    if (!collection) {
        dialogs.messageBox(QStringLiteral("<VBSmartXPMenu.dll> not found."), QString(), message_box::Buttons::Ok,
                           message_box::Icon::None);
        return false;
    }
    return true;
}

} // namespace vm
