#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace vm::test {

// The smallest movie the player accepts: header, stage, frame rate and count, End tag.
QByteArray minimalMovie(int width, int height);

// A throw-away install tree: ROOT/Vantamorph is the program folder, with the
// shipped english.xml; ROOT/flash holds both movies unless told otherwise.
class ProgramFolder {
public:
    explicit ProgramFolder(bool withMovies = true);
    bool isValid() const { return root_.isValid(); }
    QString root() const { return root_.path(); }
    QString programFolder() const { return root_.path() + QStringLiteral("/Vantamorph"); }
    QString documents() const { return root_.path() + QStringLiteral("/Documents"); }

private:
    QTemporaryDir root_;
};

} // namespace vm::test
