#pragma once

#include "fonts/font_scan.h"
#include "fonts/font_seams.h"

#include <QObject>
#include <QString>
#include <memory>

class QThread;

namespace vm {

class InstalledFonts;

// SaveFontSwf without making the start wait: the installed fonts are scanned
// on a thread of their own from the moment the start-up window shows, and the
// list is handed to the host on its own thread when the scan ends. Until then
// the host's list is pending and "fontlist" waits for it.
class UserFontScan {
public:
    // cacheFile: where the face names of this machine are kept between runs ("" for none).
    UserFontScan(const FontSeams& host, InstalledFonts& fonts, QString cacheFile);
    ~UserFontScan();
    UserFontScan(const UserFontScan&) = delete;
    UserFontScan& operator=(const UserFontScan&) = delete;

    // Starts the scan (once per run).
    void start();
    // The main window's load: starts the scan if nothing has, and with
    // waitAtMainWindowLoad set also waits for it (scripted sessions want the
    // list in the same place on every run).
    void SaveFontSwf();
    // Blocks until the scan has ended and its list is handed over.
    void wait();

    // The fonts found; complete once wait() returned or the list was handed over.
    const FontCatalogue& catalogue() const { return result_.catalogue; }
    int fontsOpened() const { return result_.fontsOpened; }

    bool waitAtMainWindowLoad = false;

private:
    void handOver();

    FontSeams host_;
    InstalledFonts& fonts_;
    QString cacheFile_;
    FontScanResult result_; // written by the scan's thread until it ends
    QString failure_;       // what stopped the scan, for the error log
    std::unique_ptr<QThread> thread_;
    QObject receiver_;      // lives on the host's thread: the hand-over runs there
    bool handedOver_ = false;
};

} // namespace vm
