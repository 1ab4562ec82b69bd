#include "fonts/user_font_scan.h"

#include "platform/api/run_time_error.h"

#include <QThread>
#include <exception>

namespace vm {

UserFontScan::UserFontScan(const FontSeams& host, InstalledFonts& fonts, QString cacheFile)
    : host_(host), fonts_(fonts), cacheFile_(std::move(cacheFile))
{
}

UserFontScan::~UserFontScan()
{
    if (thread_)
        thread_->wait();
}

void UserFontScan::start()
{
    if (thread_)
        return;
    host_.state.userFontListPending = true;
    // The environment is read here, on the host's thread; the scan touches no host state.
    const QString windowsFolder = host_.platform.os.environment(QStringLiteral("windir"));
    thread_.reset(QThread::create([this, windowsFolder] {
        try {
            result_ = scanInstalledFonts(windowsFolder, fonts_, cacheFile_);
        } catch (const std::exception& failure) {
            result_ = FontScanResult();
            failure_ = QString::fromUtf8(failure.what());
        } catch (...) {
            result_ = FontScanResult();
            failure_ = QStringLiteral("the font scan failed");
        }
    }));
    QObject::connect(thread_.get(), &QThread::finished, &receiver_, [this] { handOver(); });
    thread_->start(QThread::LowPriority);
}

void UserFontScan::SaveFontSwf()
{
    start();
    if (waitAtMainWindowLoad)
        wait();
}

void UserFontScan::wait()
{
    start();
    thread_->wait();
    handOver();
}

void UserFontScan::handOver()
{
    if (handedOver_)
        return;
    handedOver_ = true;
    if (!failure_.isEmpty())
        host_.trap.report(QStringLiteral("frmMain\\SaveFontSwf"), RunTimeError(error_number::Automation, failure_));
    host_.state.userFontList = result_.catalogue.userFontList();
    host_.state.userFontListPending = false;
    host_.mainMenu.sendFontListOnce();
}

} // namespace vm
