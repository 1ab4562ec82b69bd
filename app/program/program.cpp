#include "app/program/program.h"

#include <QProcessEnvironment>
#include <QStandardPaths>

namespace vm {
namespace {

// The face names of this machine's fonts, kept between runs.
QString fontNameCacheFile()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/font-names.cache");
}

} // namespace

Program::Program(const ProgramParts& parts)
    : parts_(parts), host_(parts.platform, parts.canvas, parts.bitmapCanvas, parts.programFolder, parts.places), seams_(host_)
{
}

Program::~Program() = default;

void Program::buildSubsystems(bool autosave)
{
    subsystems_ = std::make_unique<Subsystems>(parts_, seams_, autosave);
}

Program::Subsystems::Subsystems(ProgramParts& parts, const SubsystemSeams& seams, bool autosave)
    : projects(seams.project()),
      templates(seams.templates(), projects),
      publishing(seams.publish(), parts.printing),
      brandPack(seams.brandPack(), parts.currentLogo),
      artwork(seams.artwork(), parts.rasterConverter),
      userFonts(seams.fonts(), installedFonts, parts.printing.processes, fontNameCacheFile())
{
    publishing.dialog().direct().setCurrentLogo(parts.currentLogo);
    if (autosave)
        recovery.emplace(seams.recovery(), RecoverySettings::fromEnvironment(QProcessEnvironment::systemEnvironment()));
}

} // namespace vm
