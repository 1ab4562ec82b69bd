#include "publish/publish_run.h"

#include "print/printer_setup.h"

#include <QFileInfo>

namespace vm {

namespace {
constexpr int defaultWatchdogSeconds = 300;
} // namespace

PublishRun::PublishRun(const PublishSeams& host, PrinterSetup& printer) : host_(host), printer_(printer)
{
    watchdog_.setSingleShot(true);
    QObject::connect(&watchdog_, &QTimer::timeout, &watchdog_, [this] {
        if (waiting_)
            fail(QStringLiteral("the canvas did not finish the picture in time."));
    });
}

int PublishRun::watchdogMs()
{
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("VANTAMORPH_PUBLISH_TIMEOUT_SECONDS", &ok);
    return (ok && seconds > 0 ? seconds : defaultWatchdogSeconds) * 1000;
}

void PublishRun::begin(const QString& target, Form* owner)
{
    owner_ = owner;
    target_ = target;
    const QFileInfo file(target);
    existedBefore_ = file.exists();
    modifiedBefore_ = existedBefore_ ? file.lastModified() : QDateTime();
    waiting_ = true;
    host_.waitForm.stopRequested = [this] { askToStop(); };
    watchdog_.start(watchdogMs());
}

bool PublishRun::targetWritten() const
{
    const QFileInfo file(target_);
    return file.isFile() && file.size() > 0 && (!existedBefore_ || file.lastModified() != modifiedBefore_);
}

void PublishRun::stopWaiting()
{
    waiting_ = false;
    watchdog_.stop();
    host_.waitForm.stopRequested = nullptr;
    host_.state.publishTarget.clear();
}

void PublishRun::restoreUserPrinter()
{
    printer_.RestoreDefaultPrinter();
}

void PublishRun::end()
{
    stopWaiting();
    FormPresenter& forms = host_.platform.forms;
    if (forms.isLoaded(host_.waitForm))
        forms.unload(host_.waitForm);
    restoreUserPrinter();
}

void PublishRun::finish()
{
    if (!targetWritten()) {
        fail(QStringLiteral("\"%1\" was not written.").arg(target_));
        return;
    }
    stopWaiting();
    printer_.RestorePrinter(owner_);
}

void PublishRun::fail(const QString& what)
{
    end();
    printer_.BringWindowFront();
    host_.messages.Alert(QStringLiteral("The logo could not be published: ") + what, owner_);
}

void PublishRun::askToStop()
{
    if (!waiting_)
        return;
    if (host_.messages.MessageBoxYN(QStringLiteral("The logo is still being published. Stop publishing it?"),
                                    &host_.waitForm)
        && waiting_)
        fail(QStringLiteral("publishing was stopped."));
}

} // namespace vm
