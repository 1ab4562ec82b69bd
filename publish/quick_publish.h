#pragma once

#include "publish/publish_seams.h"

#include <QString>

#include <functional>

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
    // Where a picture is written before it is converted: beside the converter
    // (as PNG or JPEG), or straight to the target.
    enum class PictureFile { Sample, JpegSample, Target };
    // Turns the written picture into the target: (target, written, PNG sample).
    using Conversion = std::function<void(const QString&, const QString&, const QString&)>;

    // The publish waiting for a picture; nothing (and a logged error) when none is.
    PublishRun* waitingRun(const QString& command);
    void pictureArrived(const QString& command, const QString& argument, PictureFile file, const Conversion& convert);
    void run(const QString& commandLine);
    QString binFile(const QString& name) const;

    PublishSeams host_;
    PrintServices& services_;
    SaveLogoForm& dialog_;
};

} // namespace vm
