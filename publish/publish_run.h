#pragma once

#include "publish/publish_seams.h"
#include <QDateTime>
#include <QString>
#include <QTimer>

namespace vm {

class Form;
class PrinterSetup;

// One publish, from the moment the canvas is asked to draw until the user is
// told how it ended. However it ends (success, a failure the canvas or a tool
// reports, the user stopping it, or the canvas never answering) the wait
// window closes and the user's default printer comes back.
class PublishRun {
public:
    PublishRun(const PublishSeams& host, PrinterSetup& printer);

    // The canvas is about to be asked; target is the file this publish writes.
    void begin(const QString& target, Form* owner);
    // A publish is under way and waits for the canvas.
    bool waiting() const { return waiting_; }

    // The last step has run: success when the target was written by this
    // publish, a failure naming it otherwise.
    void finish();
    // The publish cannot go on: the user is told what failed.
    void fail(const QString& what);
    // Ends the publish without a message: the caller tells the user.
    void end();
    // Puts the user's default printer back, when it was changed.
    void restoreUserPrinter();

    // How long the canvas may take to answer before the publish is ended
    // (VANTAMORPH_PUBLISH_TIMEOUT_SECONDS overrides it).
    static int watchdogMs();

private:
    bool targetWritten() const;
    void askToStop();
    void stopWaiting();

    PublishSeams host_;
    PrinterSetup& printer_;
    QTimer watchdog_;
    Form* owner_ = nullptr;
    QString target_;
    bool existedBefore_ = false;
    QDateTime modifiedBefore_;
    bool waiting_ = false;
};

} // namespace vm
