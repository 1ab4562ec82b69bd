#pragma once

#include <QRectF>
#include <QString>
#include <functional>

class QPainter;

namespace vm {

// How a canvas prints: one page, drawn by the canvas when the printer asks.
// The system behind it decides the dialog, the printer and its driver.
class PagePrinter {
public:
    using Painting = std::function<void(QPainter& painter, const QRectF& page)>;

    virtual ~PagePrinter() = default;
    // Through the system's print dialog to the default printer. False when
    // the user cancelled or the printer failed.
    virtual bool printWithDialog(const QString& jobName, const Painting& paint) = 0;
    // Straight to a file as EPS, without a dialog (the vector route).
    virtual bool printToFile(const QString& jobName, const QString& path, const Painting& paint) = 0;
    // Why the last print failed; "" when it was cancelled or did not fail.
    virtual QString lastError() const { return QString(); }
};

} // namespace vm
