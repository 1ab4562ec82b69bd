// Kills the real program at random moments while it autosaves a large logo
// every 20 ms, and checks after each kill that every recovery file left
// behind still parses. Prints how many kills left a file that does not.
//
//   recovery_stress PROGRAM [KILLS]     (PROGRAM: build/dist/Vantamorph/vantamorph)
#include "canvas/logo/logo_xml.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <pugixml.hpp>

using namespace vm;

namespace {

QByteArray bigLogo(int count)
{
    LogoDocument logo;
    for (int index = 0; index < count; ++index) {
        LogoElement element;
        element.kind = ElementKind::Text;
        element.text = QStringLiteral("Text number %1").arg(index);
        element.position = QPointF(index % 50 * 10, index / 50 * 19);
        logo.elements.push_back(element);
    }
    return logo_xml::write(logo);
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: recovery_stress PROGRAM [KILLS]\n");
        return 2;
    }
    const QString program = arguments[1];
    const int kills = arguments.size() > 2 ? arguments[2].toInt() : 200;
    QTemporaryDir root;
    const QString logo = root.path() + QStringLiteral("/big.vmp");
    const QString script = root.path() + QStringLiteral("/edit.vmscript");
    writeFile(logo, bigLogo(2000));
    writeFile(script, "answer openfile \"" + logo.toUtf8() + "\"\nwait ready\nmenu \"mnuOpenProject\"\n"
                      "menu \"mnuAddText\"\nwait 60000\n");
    const QString folder = root.path() + QStringLiteral("/state/vantamorph/recovery");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_STATE_HOME"), root.path() + QStringLiteral("/state"));
    environment.insert(QStringLiteral("VANTAMORPH_AUTOSAVE_SECONDS"), QStringLiteral("0.02"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    int broken = 0, withFile = 0;
    for (int kill = 0; kill < kills; ++kill) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, {QStringLiteral("--script"), script, QStringLiteral("--transcript"),
                                root.path() + QStringLiteral("/transcript.txt"), QStringLiteral("--canvas"),
                                QStringLiteral("reference")});
        if (!process.waitForStarted()) {
            std::fprintf(stderr, "cannot start %s\n", qPrintable(program));
            return 2;
        }
        // Wait for the first autosave, then kill somewhere in the next half second.
        QElapsedTimer clock;
        clock.start();
        while (QDir(folder).entryList({QStringLiteral("*.vmp")}, QDir::Files).isEmpty() && clock.elapsed() < 20000)
            QThread::msleep(5);
        QThread::msleep(QRandomGenerator::global()->bounded(500));
        process.kill();
        process.waitForFinished();

        const QStringList files = QDir(folder).entryList({QStringLiteral("*.vmp"), QStringLiteral("*.json")}, QDir::Files);
        bool sound = true;
        for (const QString& name : files) {
            const QString path = folder + QLatin1Char('/') + name;
            if (name.endsWith(QStringLiteral(".json"))) {
                QFile file(path);
                sound = sound && file.open(QIODevice::ReadOnly) && QJsonDocument::fromJson(file.readAll()).isObject();
            } else {
                pugi::xml_document document;
                sound = sound && document.load_file(QFile::encodeName(path).constData()) && document.document_element();
            }
        }
        withFile += files.isEmpty() ? 0 : 1;
        broken += sound ? 0 : 1;
        if (!sound)
            std::fprintf(stderr, "kill %d left a recovery file that does not parse\n", kill + 1);
        // The next run starts without anything to offer.
        QDir(folder).removeRecursively();
    }
    std::printf("%d kills while autosaving every 20 ms; %d left recovery files; %d left a file that does not parse\n",
                kills, withFile, broken);
    return broken == 0 ? 0 : 1;
}
