#include "app/wiring/subsystem_seams.h"

#include "shell/host.h"

namespace vm {

ProjectSeams SubsystemSeams::project() const
{
    Host& h = host_;
    return {h.platform, h.state,      h.trap,       h.language,  h.messages,   h.mainForm,      h.mainMenu,
            h.menuItems, h.lifeCycle, h.canvasLink, h.dispatcher, h.savingForm, h.splashForm,
            [&h] { h.endProgram(); }};
}

TemplateSeams SubsystemSeams::templates() const
{
    Host& h = host_;
    return {h.state, h.trap, h.language, h.messages, h.mainForm, h.mainMenu, h.canvasLink, h.dispatcher};
}

PublishSeams SubsystemSeams::publish() const
{
    Host& h = host_;
    return {h.platform,  h.state,      h.trap,       h.errorLog,     h.language,   h.messages,  h.mainForm,
            h.mainMenu,  h.lifeCycle,  h.canvasLink, h.dispatcher,   h.bitmapCanvasLink, h.bitmapDispatcher, h.waitForm, h.tempFolder};
}

PrintSeams SubsystemSeams::print() const
{
    return publish().print();
}

RecoverySeams SubsystemSeams::recovery() const
{
    Host& h = host_;
    return {h.state, h.trap, h.messages, h.mainForm, h.lifeCycle, h.canvasLink, h.dispatcher};
}

FontSeams SubsystemSeams::fonts() const
{
    Host& h = host_;
    return {h.platform, h.state, h.trap, h.messages, h.mainForm, h.mainMenu, h.lifeCycle, h.canvasLink, h.dispatcher};
}

ArtworkSeams SubsystemSeams::artwork() const
{
    Host& h = host_;
    return {h.platform, h.state, h.trap, h.messages, h.mainForm, h.canvasLink, h.dispatcher};
}

BrandPackSeams SubsystemSeams::brandPack() const
{
    Host& h = host_;
    return {h.platform, h.trap, h.language, h.mainForm, h.mainMenu};
}

} // namespace vm
