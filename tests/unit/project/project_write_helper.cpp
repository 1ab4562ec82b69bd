// Saves a large logo over and over through the program's own write path, so
// a test can kill it mid-write. Prints one line after the first save.
#include "project/project_file.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3)
        return 2;
    const int megabytes = arguments.at(2).toInt();
    const QString logos[2] = {
        QStringLiteral("<logo>") + QString(megabytes << 20, QLatin1Char('a')) + QStringLiteral("</logo>"),
        QStringLiteral("<logo>") + QString(megabytes << 20, QLatin1Char('b')) + QStringLiteral("</logo>"),
    };
    for (unsigned round = 0;; ++round) {
        if (!vm::project_file::writeLogo(arguments.at(1), logos[round % 2]).ok)
            return 1;
        if (round == 0) {
            std::puts("saved");
            std::fflush(stdout);
        }
    }
}
