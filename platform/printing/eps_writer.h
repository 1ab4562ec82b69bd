#pragma once

#include "canvas/api/page_printer.h"
#include "platform/api/spooler.h"

#include <QPageLayout>
#include <QString>

namespace vm {

// Renders one page to PDF with Qt and turns it into EPS with Ghostscript.
// Ghostscript only ever sees paths inside a private temporary folder; the
// result is copied to the target atomically.
class EpsWriter {
public:
    explicit EpsWriter(QString ghostscript = QStringLiteral("gs")) : ghostscript_(std::move(ghostscript)) {}

    static QPageLayout layoutFor(const DeviceMode& mode);

    bool writeEps(const QString& path, const QPageLayout& layout, const PagePrinter::Painting& paint);
    QString lastError() const { return lastError_; }

private:
    bool renderPdf(const QString& path, const QString& title, const QPageLayout& layout,
                   const PagePrinter::Painting& paint);
    bool fail(const QString& message);

    QString ghostscript_;
    QString lastError_;
};

} // namespace vm
