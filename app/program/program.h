#pragma once

#include "app/wiring/subsystem_seams.h"
#include "artwork/clipart_and_pictures.h"
#include "brandpack/brand_pack_flow.h"
#include "fonts/user_fonts.h"
#include "platform/api/print_services.h"
#include "platform/system/freetype_installed_fonts.h"
#include "project/project_flows.h"
#include "publish/publishing.h"
#include "recovery/recovery.h"
#include "shell/host.h"
#include "templates/template_mode.h"

#include <memory>
#include <optional>

namespace vm {

// What a run hands the program: the platform (real or scripted), the two
// canvases and the system services the subsystems use.
struct ProgramParts {
    Platform& platform;
    PlayerControl& canvas;
    PlayerControl& bitmapCanvas;
    PrintServices printing;
    // The converter that crops pictures (it reads raster pictures only).
    ProcessRunner& rasterConverter;
    CurrentLogo currentLogo;
    QString programFolder;
    UserPlaces places = UserPlaces(); // where the program writes; a portable folder when not given
};

// The host and every subsystem, wired the same way in every run. The host
// comes first, so that a run can listen to its life cycle before the
// subsystems do (a scripted session); the subsystems follow on request.
class Program {
public:
    explicit Program(const ProgramParts& parts);
    ~Program();

    Host& host() { return host_; }

    // Plugs every subsystem into the host; autosave is left out of runs
    // that have nothing to restore (a launch measurement).
    void buildSubsystems(bool autosave);
    UserFonts& userFonts() { return subsystems_->userFonts; }

    void start() { host_.start(); }
    void end() { host_.endProgram(); }

private:
    struct Subsystems {
        Subsystems(ProgramParts& parts, const SubsystemSeams& seams, bool autosave);

        ProjectFlows projects;
        TemplateMode templates;
        Publishing publishing;
        BrandPackFlow brandPack;
        ClipArtAndPictures artwork;
        FreeTypeInstalledFonts installedFonts;
        UserFonts userFonts;
        std::optional<Recovery> recovery;
    };

    ProgramParts parts_;
    Host host_;
    SubsystemSeams seams_;
    std::unique_ptr<Subsystems> subsystems_;
};

} // namespace vm
