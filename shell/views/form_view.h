#pragma once

namespace vm {

// A widget that shows a form's content. The presenter calls refreshContent()
// when the form says its content changed.
class FormView {
public:
    virtual ~FormView() = default;
    virtual void refreshContent() = 0;
    // Whether the window title follows FormContent::caption. The main window's
    // title is owned by the window registry instead.
    virtual bool titleFromContent() const { return true; }
};

} // namespace vm
