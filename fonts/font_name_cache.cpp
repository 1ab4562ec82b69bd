#include "fonts/font_name_cache.h"

#include "platform/api/atomic_file.h"
#include "platform/api/bounded_file.h"
#include "platform/api/file_limits.h"

#include <QCborArray>
#include <QCborMap>
#include <QCborValue>

namespace vm {

namespace {
const QString formatName = QStringLiteral("vantamorph-font-names");
// Raised whenever the way names are read changes, so old names are read anew.
constexpr int formatVersion = 1;
} // namespace

void FontNameCache::load(const QString& cacheFile)
{
    loaded_.clear();
    recorded_.clear();
    changed_ = false;
    const BoundedRead file = readBoundedFile(cacheFile, file_limits::fontNameCache);
    if (!file.ok())
        return;
    QCborParserError error;
    const QCborValue root = QCborValue::fromCbor(file.bytes, &error);
    if (error.error != QCborError::NoError || !root.isMap())
        return;
    const QCborMap map = root.toMap();
    if (map.value(QStringLiteral("format")).toString() != formatName
        || map.value(QStringLiteral("version")).toInteger() != formatVersion)
        return;
    for (const QCborValue& value : map.value(QStringLiteral("fonts")).toArray()) {
        const QCborArray entry = value.toArray();
        if (entry.size() != 4 || !entry[0].isString() || !entry[1].isInteger() || !entry[2].isInteger()
            || !entry[3].isString())
            continue;
        loaded_.insert(entry[0].toString(), {{entry[1].toInteger(), entry[2].toInteger()}, entry[3].toString()});
    }
}

bool FontNameCache::save(const QString& cacheFile) const
{
    QCborArray fonts;
    for (auto entry = recorded_.cbegin(); entry != recorded_.cend(); ++entry)
        fonts.append(QCborArray{entry.key(), entry->key.size, entry->key.modified, entry->name});
    QCborMap map;
    map.insert(QStringLiteral("format"), formatName);
    map.insert(QStringLiteral("version"), formatVersion);
    map.insert(QStringLiteral("fonts"), fonts);
    return writeFileAtomically(cacheFile, QCborValue(map).toCbor()).ok;
}

QString FontNameCache::find(const QString& path, Key key) const
{
    const auto found = loaded_.constFind(path);
    if (found == loaded_.cend() || found->key.size != key.size || found->key.modified != key.modified)
        return QString();
    // A stored empty name is a font that gave none: found, but empty.
    return found->name.isNull() ? QString(QLatin1String("")) : found->name;
}

void FontNameCache::record(const QString& path, Key key, const QString& name)
{
    const auto found = loaded_.constFind(path);
    if (found == loaded_.cend() || found->key.size != key.size || found->key.modified != key.modified
        || found->name != name)
        changed_ = true;
    recorded_.insert(path, {key, name});
}

bool FontNameCache::changed() const
{
    // Every recorded entry matched a loaded one: only a removed file changes it.
    return changed_ || recorded_.size() != loaded_.size();
}

} // namespace vm
