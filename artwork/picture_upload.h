#pragma once

#include "artwork/artwork_seams.h"
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>

namespace vm {


// The canvas's "fnbrowseimage": the user picks a picture, which is copied
// under a time-stamped name into the picture folder for the canvas to place.
class PictureUpload {
public:
    static const QString dialogFilter;

    explicit PictureUpload(const ArtworkSeams& host, std::function<QDateTime()> clock = &QDateTime::currentDateTime);

    void BrowseImage();

    // Day, month, four-digit year, hour, minute, second, each unpadded, then
    // the file name: logo.png at 18:27:03 on 5 December 2026 is 512202618273logo.png.
    static QString timeStampedName(const QDateTime& when, const QString& fileName);
    // The extensions offered by the dialog (any case).
    static bool hasPictureExtension(const QString& name);
    // The converter picks its reader by the content, not the name: only
    // JPEG, GIF and PNG content is accepted.
    static bool isRasterPicture(const QByteArray& head);

private:
    ArtworkSeams host_;
    std::function<QDateTime()> clock_;
};

} // namespace vm
