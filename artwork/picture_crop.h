#pragma once

#include "artwork/artwork_seams.h"
#include <QDateTime>
#include <QString>
#include <functional>

namespace vm {

class ProcessRunner;

// The canvas's "cropimage": the converter crops and scales a picture of the
// picture folder into a new file there, and the canvas gets the new name.
// The converter runs with a policy that reads raster pictures only.
class PictureCrop {
public:
    static const QString failureMessage;

    PictureCrop(const ArtworkSeams& host, ProcessRunner& converter, std::function<QDateTime()> clock = &QDateTime::currentDateTime);

    // X "æ" Y "æ" height "æ" width "æ" source file name "æ" scale percent.
    void SaveCropedImage(const QString& argument);

    struct Request {
        QString x = QStringLiteral("34");
        QString y = QStringLiteral("6");
        QString height = QStringLiteral("397");
        QString width = QStringLiteral("507");
        QString source;                     // empty: crop the current picture again
        QString scale = QStringLiteral("100"); // percent
    };
    static Request parseRequest(const QString& argument);
    // The converter line; cropAgain is the form for the current picture (two blanks before -crop).
    static QString cropCommand(const QString& programFolder, const Request& request, const QString& source,
                               const QString& target, bool cropAgain);

private:
    ArtworkSeams host_;
    ProcessRunner& converter_;
    std::function<QDateTime()> clock_;
};

} // namespace vm
