// Save and open of a 5 MB logo through the program's own path (SaveIt writing
// the file; OpenLogoProject with its history update) against pugixml's bare
// parse + save of the same text. Prints the medians and the ratio.
#include "bench/bench_support.h"
#include "canvas/player/startup_canvas.h"
#include "project/project_flows.h"
#include "app/wiring/subsystem_seams.h"
#include "shell/host.h"
#include "tests/fakes/fake_platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <pugixml.hpp>
#include <vector>

using namespace vm;
using namespace vm::test;

namespace {

QString logoXml(int bytes)
{
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- logo -->\n<logo width=\"507\" height=\"397\">\n");
    for (int i = 0; xml.size() < bytes; ++i)
        xml += QStringLiteral("  <text id=\"%1\" x=\"%2\" y=\"%3\" font=\"Arial\" size=\"24\" colour=\"#336699\">Caf\u00e6 &amp; Co %1</text>\n"
                              "  <symbol id=\"s%1\" src=\"ClipArts/Shapes/star.svg\" rotate=\"15\"/>\n")
                   .arg(i).arg(i % 500).arg(i % 400);
    return xml + QStringLiteral("</logo>\n");
}


} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir root;
    const QString programFolder = root.path() + QStringLiteral("/Vantamorph");
    QDir().mkpath(programFolder);
    QFile config(programFolder + QStringLiteral("/App.Config"));
    config.open(QIODevice::WriteOnly);
    config.write("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<configuration>\n  <LogoHistory>\n"
                 "    <FilePath>Nothing</FilePath>\n    <FilePath>Nothing</FilePath>\n    <FilePath>Nothing</FilePath>\n"
                 "    <FilePath>Nothing</FilePath>\n    <FilePath>Nothing</FilePath>\n  </LogoHistory>\n</configuration>\n");
    config.close();

    PlatformParts<> fakes;
    StartupCanvas canvas{QStringLiteral("skwFlash"), fakes.trace};
    MoviePlayer bitmap{QStringLiteral("ShockwaveFlash1"), fakes.trace};
    Host host(fakes.platform, canvas, bitmap, programFolder);
    ProjectFlows flows(SubsystemSeams(host).project());

    const QString xml = logoXml(5 << 20);
    const QByteArray utf8 = xml.toUtf8();
    const QString path = root.path() + QStringLiteral("/bench.vmp");
    const QString bare = root.path() + QStringLiteral("/bare.vmp");
    const QString answer = path + QChar(0x00E6) + xml;
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;

    std::vector<double> ours, theirs;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        if (!flows.SaveIt(answer))
            return 1;
        flows.OpenLogoProject(QStringLiteral("result open"), path, QString());
        ours.push_back(clock.nsecsElapsed() / 1e6);

        clock.restart();
        pugi::xml_document document;
        document.load_buffer(utf8.constData(), size_t(utf8.size()), pugi::parse_full | pugi::parse_ws_pcdata,
                             pugi::encoding_utf8);
        document.save_file(bare.toUtf8().constData(), "", pugi::format_raw | pugi::format_no_declaration);
        theirs.push_back(clock.nsecsElapsed() / 1e6);
    }
    const double a = vm::bench::median(ours), b = vm::bench::median(theirs);
    std::printf("logo XML: %lld bytes, %d runs (median)\n", qlonglong(utf8.size()), runs);
    std::printf("save + open through the program: %.2f ms\n", a);
    std::printf("pugixml bare parse + save:       %.2f ms\n", b);
    std::printf("ratio: %.2f x\n", a / b);
    // The bare save drops the blanks between top-level nodes; ours keeps them.
    std::printf("file sizes: ours %lld, bare %lld\n", qlonglong(QFile(path).size()), qlonglong(QFile(bare).size()));
    return 0;
}
