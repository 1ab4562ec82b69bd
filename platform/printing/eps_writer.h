#pragma once

#include "platform/api/page_printer.h"
#include "platform/api/spooler.h"

#include <QPageLayout>
#include <QString>

namespace vm {

// Renders one page to PDF with Qt and turns it into EPS with poppler's
// pdftops, which keeps the page box and starts in a fraction of Ghostscript's
// time; Ghostscript's eps2write when pdftops is missing. The converters only
// ever see paths inside a private temporary folder; the result is copied to
// the target atomically.
class EpsWriter {
public:
    explicit EpsWriter(QString ghostscript = QStringLiteral("gs"), QString pdftops = QStringLiteral("pdftops"))
        : ghostscript_(std::move(ghostscript)), pdftops_(std::move(pdftops))
    {
    }

    static QPageLayout layoutFor(const DeviceMode& mode);

    bool writeEps(const QString& path, const QPageLayout& layout, const PagePrinter::Painting& paint);
    QString lastError() const { return lastError_; }

private:
    bool renderPdf(const QString& path, const QString& title, const QPageLayout& layout,
                   const PagePrinter::Painting& paint);
    bool fail(const QString& message);
    // Runs a converter to its end; false with lastError() set when it failed.
    bool convert(const QString& program, const QStringList& arguments, const QString& name);

    QString ghostscript_;
    QString pdftops_;
    QString lastError_;
};

} // namespace vm
