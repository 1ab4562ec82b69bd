#pragma once

#include "export/canvas_logo.h"
#include "export/export_format.h"
#include "export/logo_export.h"
#include "publish/publish_seams.h"

#include <QString>

namespace vm {

class Form;

// The publish dialog's routes that need no printer and no bitmap canvas:
// SVG and PDF, and pictures at a size the user names. The logo is drawn by
// the canvas's own renderer straight into the file the user picks.
class DirectPublish {
public:
    explicit DirectPublish(const PublishSeams& host) : host_(host) {}

    void setCurrentLogo(CurrentLogo currentLogo) { currentLogo_ = std::move(currentLogo); }
    // The logo's stage, or an empty size when the canvas has no logo.
    QSize stageSize() const;

    // Asks for the file, then writes it. True when the file was written.
    bool publish(ExportFormat format, const ExportOptions& options, Form* dialog);

private:
    void tell(const QString& message);

    PublishSeams host_;
    CurrentLogo currentLogo_;
};

} // namespace vm
