#pragma once

#include <QString>
#include <QStringList>

namespace vm {

// A folder that always holds one whole pack. The files are written into a
// hidden sibling (".NAME.partial-XXXXXXXX") and moved into place only when all
// are there, swapped atomically with a previous pack, which is then removed.
// A lock beside the folder (".NAME.lock") keeps a second writer out; the
// siblings a killed run left are removed by the next one. A folder that holds
// anything else than a pack's files is never replaced.
class PackFolder {
public:
    // ownNames: every file a pack writes; nothing else is ever removed. A name
    // with a folder ("fonts/*.ttf") covers files one folder down, wildcards allowed.
    PackFolder(const QString& target, QStringList ownNames);
    ~PackFolder(); // discards an uncommitted sibling and releases the lock
    PackFolder(const PackFolder&) = delete;
    PackFolder& operator=(const PackFolder&) = delete;

    // Takes the lock, clears what a killed run left and makes the sibling the
    // files go into; the reason, in words, when it cannot.
    QString open();
    bool isOpen() const { return !staging_.isEmpty(); }
    QString stagingPath() const { return staging_; }
    QString targetPath() const { return target_; }
    // Moves the finished files into place; the reason when it cannot, the target then unchanged.
    QString commit();
    // Drops the files written so far and releases the lock; the target is unchanged.
    void discard();

    // Why a pack cannot replace what path holds (files that are not a pack's);
    // empty when path is missing, empty or holds only a pack's files.
    static QString foreignContent(const QString& path, const QStringList& ownNames);

private:
    QString lockFile() const;
    QString partialPrefix() const;
    QString lock();
    void unlock();
    void removeLeftovers() const;
    QString swapIn();

    QString target_; // absolute, links resolved
    QString parent_;
    QString name_;
    QStringList ownNames_;
    QString staging_;
    int lockDescriptor_ = -1;
};

} // namespace vm
