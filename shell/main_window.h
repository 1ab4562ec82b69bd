#pragma once

#include "platform/api/form.h"

namespace vm {

// The main window as subsystems see it: the owner of their dialogs, and a
// title bar that template mode hides.
class MainWindow : public Form {
public:
    virtual void ShowTitleBar(bool show) = 0;
};

} // namespace vm
