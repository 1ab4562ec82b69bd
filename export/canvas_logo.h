#pragma once

#include "canvas/logo/logo_renderer.h"

#include <functional>

namespace vm {

// The logo on the canvas and the renderer that draws it, when the canvas has one.
struct CanvasLogo {
    const LogoDocument* document = nullptr;
    const LogoRenderer* renderer = nullptr;

    bool available() const { return document && renderer; }
};

// Asks the canvas for its logo; app/ wires it to the editing canvas.
using CurrentLogo = std::function<CanvasLogo()>;

} // namespace vm
