#include "app/program/machine_services.h"

#include "artwork/raster_policy.h"
#include "platform/api/process_runner.h"
#include "publish/convert_commands.h"
#include "publish/publishing.h"

#include <QProcessEnvironment>
#include <cstdio>

namespace vm {
namespace {

void reportSpoolerProblem(const QString& problem)
{
    std::fprintf(stderr, "vantamorph: %s\n", qPrintable(problem));
}

// Only the converter (bin/convert) starts with the given configuration folder
// (its XDG_CONFIG_HOME; empty when it could not be written); every other tool,
// the printer helper for one, with the user's.
void giveConverterItsConfiguration(LinuxProcessRunner& processes, const QString& programFolder, const QString& config)
{
    if (config.isEmpty())
        return;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    processes.setProgramEnvironment(splitCommandLine(convert_commands::converter(programFolder)).value(0), environment);
}

} // namespace

// The print-to-file printer goes into the user's own printer store, and the
// rights question is asked about that folder.
MachineServices::MachineServices(const QString& programFolder)
    : rights(FileSpooler::defaultFolder()), spooler(FileSpooler::defaultFolder(), reportSpoolerProblem)
{
    giveConverterItsConfiguration(processes, programFolder, Publishing::prepareConverterConfig(programFolder));
    giveConverterItsConfiguration(rasterConverter, programFolder,
                                  raster_policy::prepare(raster_policy::folder(programFolder)));
}

} // namespace vm
