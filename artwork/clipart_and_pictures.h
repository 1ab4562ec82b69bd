#pragma once

#include "artwork/artwork_seams.h"
#include "artwork/clipart_keywords.h"
#include "artwork/picture_crop.h"
#include "artwork/picture_upload.h"

namespace vm {

// The resources the canvas asks of the host, each plugged into the canvas
// command table: keywords for clip-art symbols, picture upload and crop.
struct ClipArtAndPictures {
    // rasterConverter runs the crop's converter under the raster-only policy;
    // clock gives the time that names new pictures.
    ClipArtAndPictures(const ArtworkSeams& host, ProcessRunner& rasterConverter,
                       const std::function<QDateTime()>& clock = &QDateTime::currentDateTime)
        : keywords(host), upload(host, clock), crop(host, rasterConverter, clock)
    {
    }

    ClipArtKeywords keywords;
    PictureUpload upload;
    PictureCrop crop;
};

} // namespace vm
