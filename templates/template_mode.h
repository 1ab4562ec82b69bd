#pragma once

#include "templates/template_seams.h"
#include <QStringList>

namespace vm {

class ProjectFlows;

// Template mode of the main window: the canvas shows its template gallery
// while the host keeps its menus locked and its title-bar buttons hidden.
// The host offers to save the current logo first, and when the canvas says a
// template was picked, the logo becomes a new, unsaved one drawn from it.
class TemplateMode {
public:
    TemplateMode(const TemplateSeams& host, ProjectFlows& projects);

    // The seven menu items locked while the gallery is open, in the order they are set.
    static const QStringList& lockedKeys();

    void mnuNewTemplate();
    void SaveTemplate();
    void CallFromTemplate();

private:
    void registerRoutes();
    void enterTemplateMode();

    TemplateSeams host_;
    ProjectFlows& projects_;
};

} // namespace vm
