#include "platform/printing/eps_writer.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace vm {

namespace {
constexpr int pointsPerInch = 72;
constexpr int converterWaitMs = 60000;

QPageSize pageSizeFor(qint16 paperSize)
{
    switch (paperSize) {
    case 1: return QPageSize(QPageSize::Letter);
    case 5: return QPageSize(QPageSize::Legal);
    case 8: return QPageSize(QPageSize::A3);
    case 11: return QPageSize(QPageSize::A5);
    default: return QPageSize(QPageSize::A4);
    }
}

// Ghostscript's EPS output shrinks the bounding box to what was drawn; a
// printed page keeps its full size, so the comments are set to the page
// whichever converter wrote it.
QByteArray withPageBoundingBox(QByteArray eps, const QSizeF& page)
{
    const QByteArray box = "%%BoundingBox: 0 0 " + QByteArray::number(qRound(page.width())) + ' '
                           + QByteArray::number(qRound(page.height()));
    const QByteArray hiResBox = "%%HiResBoundingBox: 0 0 " + QByteArray::number(page.width(), 'f', 2) + ' '
                                + QByteArray::number(page.height(), 'f', 2);
    const qsizetype headerEnd = eps.indexOf("%%EndComments");
    const qsizetype limit = headerEnd < 0 ? eps.size() : headerEnd;
    auto replaceLine = [&](const QByteArray& prefix, const QByteArray& line) {
        const qsizetype start = eps.indexOf(prefix);
        if (start < 0 || start > limit)
            return false;
        qsizetype end = eps.indexOf('\n', start);
        if (end < 0)
            end = eps.size();
        eps.replace(start, end - start, line);
        return true;
    };
    if (!replaceLine("%%BoundingBox:", box))
        eps.insert(eps.indexOf('\n') + 1, box + '\n');
    replaceLine("%%HiResBoundingBox:", hiResBox);
    return eps;
}
} // namespace

QPageLayout EpsWriter::layoutFor(const DeviceMode& mode)
{
    const QPageLayout::Orientation orientation =
        mode.orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait;
    return QPageLayout(pageSizeFor(mode.paperSize), orientation, QMarginsF());
}

bool EpsWriter::fail(const QString& message)
{
    lastError_ = message;
    return false;
}

bool EpsWriter::renderPdf(const QString& path, const QString& title, const QPageLayout& layout,
                          const PagePrinter::Painting& paint)
{
    QPdfWriter writer(path);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Vantamorph"));
    writer.setResolution(pointsPerInch); // painter units are points
    writer.setPageLayout(layout);
    QPainter painter;
    if (!painter.begin(&writer))
        return fail(QStringLiteral("cannot start the page"));
    const QRectF page(QPointF(0, 0), layout.fullRect(QPageLayout::Point).size());
    painter.fillRect(page, Qt::white); // the paper
    if (paint)
        paint(painter, page);
    painter.end();
    return QFileInfo(path).size() > 0 || fail(QStringLiteral("the page is empty"));
}

bool EpsWriter::convert(const QString& program, const QStringList& arguments, const QString& name)
{
    QProcess converter;
    converter.setProcessChannelMode(QProcess::MergedChannels);
    converter.start(program, arguments);
    if (!converter.waitForStarted(-1))
        return fail(QStringLiteral("%1 (%2) cannot be started").arg(name, program));
    if (!converter.waitForFinished(converterWaitMs)) {
        converter.kill();
        converter.waitForFinished(-1);
        return fail(QStringLiteral("%1 did not finish").arg(name));
    }
    if (converter.exitStatus() != QProcess::NormalExit || converter.exitCode() != 0)
        return fail(QStringLiteral("%1 failed: ").arg(name) + QString::fromLocal8Bit(converter.readAll()).trimmed());
    return true;
}

bool EpsWriter::writeEps(const QString& path, const QPageLayout& layout, const PagePrinter::Painting& paint)
{
    QTemporaryDir work;
    if (!work.isValid())
        return fail(QStringLiteral("no temporary folder"));
    const QString pdf = work.filePath(QStringLiteral("page.pdf"));
    const QString eps = work.filePath(QStringLiteral("page.eps"));
    if (!renderPdf(pdf, QFileInfo(path).completeBaseName(), layout, paint))
        return false;

    const QString pdftops = QStandardPaths::findExecutable(pdftops_);
    const bool converted =
        !pdftops.isEmpty()
            ? convert(pdftops, {QStringLiteral("-eps"), QStringLiteral("-q"), pdf, eps}, QStringLiteral("pdftops"))
            // The page carries its own fonts: Ghostscript need not scan the system's (a good part of its start).
            : convert(ghostscript_,
                      {QStringLiteral("-q"), QStringLiteral("-dSAFER"), QStringLiteral("-dBATCH"),
                       QStringLiteral("-dNOPAUSE"), QStringLiteral("-dNOPLATFONTS"),
                       QStringLiteral("-sDEVICE=eps2write"), QStringLiteral("-sOutputFile=") + eps, pdf},
                      QStringLiteral("Ghostscript"));
    if (!converted)
        return false;
    QFile output(eps);
    if (!output.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("no EPS was written"));
    QByteArray content = output.readAll();
    if (!content.startsWith("%!PS-Adobe"))
        return fail(QStringLiteral("the page was not turned into EPS"));
    content = withPageBoundingBox(std::move(content), layout.fullRect(QPageLayout::Point).size());
    QSaveFile target(path);
    if (!target.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write %1").arg(path));
    target.write(content);
    return target.commit() || fail(QStringLiteral("cannot write %1").arg(path));
}

} // namespace vm
