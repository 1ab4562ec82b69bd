#pragma once

#include <QString>
#include <QStringList>

namespace vm {

// The most ideas one run makes.
inline constexpr int maxIdeas = 500;

// Logo ideas from the command line: the request and the folder they go to.
struct IdeasRun {
    QString name;
    QString tagline;
    QStringList keywords;
    QStringList moods;
    QString colour;
    int count = 60;
    quint32 seed = 1;
    QString out;
};

struct IdeasRunResult {
    int exitCode = 0;
    QString message; // one line for stderr; empty on success
};

// Checks the request and the folder first, so bad input writes nothing; then
// writes out/idea-NNN.vmp (a project as the program saves it), out/idea-NNN.png
// (a preview 512 pixels wide) and out/index.html, each file whole or not at all.
// programFolder holds datasrc/, ideas/ and fonts/.
IdeasRunResult runIdeas(const IdeasRun& run, const QString& programFolder);

// The problem with out as the ideas' folder, in one line; empty when it can be used.
QString ideasFolderProblem(const QString& out);

} // namespace vm
