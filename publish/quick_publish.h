#pragma once

#include "protocol/publish_formats.h"
#include "publish/publish_seams.h"

#include <QString>

namespace vm {

class PublishRun;
class SaveLogoForm;
struct PrintServices;

// The publish submenu, and the pictures the bitmap canvas hands back: decoded,
// written beside the converter and turned into the target's format and size.
class QuickPublish {
public:
    QuickPublish(const PublishSeams& host, PrintServices& services, SaveLogoForm& dialog);

    void mnuPublishLogoSub(const QString& key);
    // Plugs a handler for each picture into the bitmap canvas's command table.
    void registerPictures(CanvasDispatcher& pictures);

    void ScaleImage(const QString& target, const QString& source);
    bool ConvertImage(const QString& target, const QString& source);
    bool ConvertToTiff(const QString& target, const QString& source);

private:
    // The publish waiting for a picture; nothing (and a logged error) when none is.
    PublishRun* waitingRun(const QString& command);
    // The picture is written beside the converter (or straight to the target)
    // and turned into the target as its format says.
    void pictureArrived(const publish_formats::Row& format, const QString& argument);
    void convert(publish_formats::Conversion conversion, const QString& target, const QString& written, const QString& sample);
    void run(const QString& commandLine);
    QString binFile(const QString& name) const;

    PublishSeams host_;
    PrintServices& services_;
    SaveLogoForm& dialog_;
};

} // namespace vm
