#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace vm {

// Where the program keeps the files it writes. A program folder the user can
// write (the portable folder) keeps everything beside the executable, as it
// always has. An installed one, read-only or another user's, is never written:
// what the program writes goes to the user's XDG base directories, and the
// user's copies of the clip-art lists, the user font list and the font movies
// overlay the shipped ones (the user's copy is read first).
//
//   App.Config         $XDG_CONFIG_HOME/vantamorph/   (seeded from the shipped one)
//   Error.log          $XDG_STATE_HOME/vantamorph/
//   LogoImages/        $XDG_DATA_HOME/vantamorph/LogoImages
//   datasrc/, flash/   $XDG_DATA_HOME/vantamorph/datasrc, .../flash
//   bin/ work files    $XDG_CACHE_HOME/vantamorph/bin (the publish work folder when there is one)
// The user's copy of relative (below userRoot) when there is one, else root's;
// root's alone when userRoot is empty.
QString overlaidFile(const QString& userRoot, const QString& root, const QString& relative);

class UserPlaces {
public:
    // A portable program folder; what tests and tools use unless they say otherwise.
    UserPlaces() = default;
    UserPlaces(const QString& programFolder, bool writable,
               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

    // Decides once, at start: the program folder and the install root above it
    // are written only when both are the user's own and a file can really be
    // made and removed in each (root ignores permission bits; a read-only mount
    // does not).
    static UserPlaces discover(const QString& programFolder,
                               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());
    static bool canWriteIn(const QString& folder);

    // True when the program folder is left alone and the user's places are used.
    bool perUser() const { return perUser_; }
    const QString& programFolder() const { return programFolder_; }
    // The folder above the program folder, without a trailing separator.
    QString installRoot() const;

    // Folders written to (no trailing separator).
    QString configFolder() const;  // App.Config
    QString logFolder() const;     // Error.log
    QString imageFolder() const;   // uploaded and cropped pictures
    QString dataFolder() const;    // clip-art lists changed by the user, Font_user.xml
    QString flashFolder() const;   // imported font movies
    QString workBinFolder() const; // publish work files when no work folder is at hand
    QString configFile() const { return configFolder() + QStringLiteral("/App.Config"); }
    // The user's folder that mirrors the install root's datasrc/, flash/ and
    // LogoImages/; empty for a portable program (nothing is laid over).
    QString userRoot() const;

    // The shipped folders, read when the user has no copy.
    QString shippedDataFolder() const { return installRoot() + QStringLiteral("/datasrc"); }
    QString shippedFlashFolder() const { return installRoot() + QStringLiteral("/flash"); }

    // The user's copy of relative (below datasrc / flash) when there is one, else the shipped file.
    QString dataFile(const QString& relative) const;
    QString flashFile(const QString& relative) const;

    // Where relative is changed: in the user's datasrc, with the shipped file
    // copied there first when the user has none yet. Empty, with why, when it
    // cannot be prepared.
    QString writableDataFile(const QString& relative, QString* why) const;

    // Makes the user's folders (private, 0700) and copies the shipped
    // App.Config on the first run. Each line says what could not be made,
    // and where; they are kept for problems(). Nothing to do for a portable program.
    QStringList prepare();
    const QStringList& problems() const { return problems_; }

private:
    QString xdg(const char* variable, const QString& fallbackBelowHome) const;

    QString programFolder_;
    bool perUser_ = false;
    QStringList problems_;
    QProcessEnvironment environment_;
};

} // namespace vm
