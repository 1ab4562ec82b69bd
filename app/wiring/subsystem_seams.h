#pragma once

#include "artwork/artwork_seams.h"
#include "brandpack/brand_pack_seams.h"
#include "fonts/font_seams.h"
#include "print/print_seams.h"
#include "project/project_seams.h"
#include "publish/publish_seams.h"
#include "recovery/recovery_seams.h"
#include "templates/template_seams.h"

namespace vm {

class Host;

// Hands each subsystem the parts of the host it uses, and nothing more. The
// program and the tests build their subsystems through it.
class SubsystemSeams {
public:
    explicit SubsystemSeams(Host& host) : host_(host) {}

    ProjectSeams project() const;
    TemplateSeams templates() const;
    PublishSeams publish() const;
    PrintSeams print() const;
    RecoverySeams recovery() const;
    FontSeams fonts() const;
    ArtworkSeams artwork() const;
    BrandPackSeams brandPack() const;

private:
    Host& host_;
};

} // namespace vm
