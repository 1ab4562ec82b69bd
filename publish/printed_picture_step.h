#pragma once

#include "publish/convert_commands.h"
#include "publish/publish_run.h"
#include "publish/publish_seams.h"

#include <functional>

namespace vm {

class Form;
struct PrintServices;

// The last step of a printed publish: the converter crops the printed EPS page
// into the user's file and sizes it; the run is told how it ended.
class PrintedPictureStep {
public:
    struct Request {
        QString sizeArgument; // the canvas's "convertdata": the printed width and height
        PublishSize size = PublishSize::Full;
        QString epsFile;
        QString target;
    };

    PrintedPictureStep(const PublishSeams& host, PrintServices& services, PublishRun& run, std::function<void()> closeDialog);

    void convert(const Request& request);

private:
    void runConverter(const QString& commandLine);
    void failed(int number, const QString& description);

    PublishSeams host_;
    PrintServices& services_;
    PublishRun& run_;
    std::function<void()> closeDialog_;
};

} // namespace vm
