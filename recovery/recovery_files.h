#pragma once

#include <QByteArray>
#include <QString>

namespace vm::recovery_files {

// The names this program writes into the recovery folder: ID.lock, ID.vmp and
// ID.json (ID is "<pid>-<hex>"), and the temporary names they are written
// under (ID.lock.new, ID.vmp.XXXXXX, ID.json.XXXXXX). Anything else in the
// folder belongs to somebody else and is never touched.
bool isOwnName(const QString& name);
// The copy a name of ours belongs to: "1234-0a1b2c3d" for "1234-0a1b2c3d.vmp".
QString idOf(const QString& name);

// What is at a path, looked at without following a link.
enum class Kind { Missing, File, Other }; // Other: a link, a folder, a pipe, a socket, a device
Kind kindOf(const QString& path, qint64* size = nullptr);

// A folder the program may clean: a real folder, not a link to one (a link
// would hand another folder's files to the clean-up). Reason in words when not.
bool isRealFolder(const QString& path, QString& reason);

// True when bytes are a well-formed logo document: XML with our logo root element.
bool isLogo(const QByteArray& bytes, QString& reason);
// True when path names an existing logo project: an absolute path to a file
// within the project limit that holds a logo document.
bool isLogoProject(const QString& path);

} // namespace vm::recovery_files
