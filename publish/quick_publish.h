#pragma once

#include "publish/publish_seams.h"
#include <QString>

namespace vm {

class SaveLogoForm;
struct PrintServices;

// The publish submenu, and the pictures the bitmap canvas hands back: decoded,
// written beside the converter and turned into the target's format and size.
class QuickPublish {
public:
    QuickPublish(const PublishSeams& host, PrintServices& services, SaveLogoForm& dialog);

    void mnuPublishLogoSub(const QString& key);
    // The bitmap canvas's command event.
    void ShockwaveFlash1_FSCommand(const QString& command, const QString& argument);

    void ScaleImage(const QString& target, const QString& source);
    bool ConvertImage(const QString& target, const QString& source);
    bool ConvertToTiff(const QString& target, const QString& source);

private:
    void run(const QString& commandLine);
    QString binFile(const QString& name) const;

    PublishSeams host_;
    PrintServices& services_;
    SaveLogoForm& dialog_;
};

} // namespace vm
