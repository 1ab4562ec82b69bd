#pragma once

#include <QHash>
#include <QString>

namespace vm {

// The face names read on an earlier start, keyed by file path, size and
// modification time, so an unchanged font is never opened again.
class FontNameCache {
public:
    struct Key {
        qint64 size = 0;
        qint64 modified = 0; // milliseconds since the epoch
    };

    // Reads the cache file; a missing, foreign or damaged one is an empty cache.
    void load(const QString& cacheFile);
    // Writes the names recorded since load() in place of the file, whole or
    // not at all. False when it could not be written.
    bool save(const QString& cacheFile) const;

    // The name stored for the file, or a null string when its entry is
    // missing or stale.
    QString find(const QString& path, Key key) const;
    // Keeps a name for the next start; entries not recorded are dropped by save().
    void record(const QString& path, Key key, const QString& name);
    // True when save() would write anything other than what load() read.
    bool changed() const;

private:
    struct Entry {
        Key key;
        QString name;
    };
    QHash<QString, Entry> loaded_;
    QHash<QString, Entry> recorded_;
    bool changed_ = false;
};

} // namespace vm
