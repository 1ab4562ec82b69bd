// Texts in vector files: kept as text with their fonts embedded, or turned
// into outlines on request and always in the brand pack.
#include "export/brand_pack.h"
#include "tests/unit/export/export_test_support.h"

#include <QProcess>
#include <QStandardPaths>

namespace vm::export_test {
namespace {

// pdffonts' table without its two header lines: one line per font, "yes" in the emb column when embedded.
QStringList pdfFonts(const QString& pdf)
{
    QProcess fonts;
    fonts.start(QStringLiteral("pdffonts"), {pdf});
    if (!fonts.waitForFinished(20000) || fonts.exitCode() != 0)
        return {QStringLiteral("pdffonts failed")};
    return QString::fromLocal8Bit(fonts.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
}

using VectorText = ExportFixture;

TEST_F(VectorText, KeptTextEmbedsItsFontAndOutlinesNeedNone)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty() || QStandardPaths::findExecutable(QStringLiteral("gs")).isEmpty())
        GTEST_SKIP() << "pdffonts (poppler-utils) or Ghostscript is not installed";
    ExportOptions outlined;
    outlined.textToPath = true;
    ASSERT_TRUE(logo_export::write(path(QStringLiteral("kept.pdf")), ExportFormat::Pdf, logo, renderer, {}).ok);
    ASSERT_TRUE(logo_export::write(path(QStringLiteral("kept.eps")), ExportFormat::Eps, logo, renderer, {}).ok);
    const QStringList kept = pdfFonts(path(QStringLiteral("kept.pdf")));
    ASSERT_EQ(kept.size(), 1) << kept.join('\n').toStdString();
    EXPECT_TRUE(kept[0].contains(QStringLiteral("DejaVuSans")) && kept[0].contains(QStringLiteral(" yes "))) << kept[0].toStdString();
    EXPECT_TRUE(readFile(path(QStringLiteral("kept.eps"))).contains("DejaVuSans"));

    // On request, and in every brand pack: no font left.
    for (const ExportFormat format : {ExportFormat::Svg, ExportFormat::Pdf, ExportFormat::Eps})
        ASSERT_TRUE(logo_export::write(path(QStringLiteral("outlined.") + export_format::extension(format)), format, logo, renderer,
                                       outlined).ok);
    ASSERT_TRUE(BrandPack(logo, renderer, path(QStringLiteral("pack"))).run());
    for (const QString& stem : {QStringLiteral("outlined"), QStringLiteral("pack/logo")}) {
        const QByteArray svg = readFile(path(stem + QStringLiteral(".svg")));
        EXPECT_FALSE(svg.contains("<text")) << stem.toStdString();
        EXPECT_TRUE(svg.contains("fill=\"#ff0000\"")) << "the letters are drawn in their colour";
        EXPECT_EQ(pdfFonts(path(stem + QStringLiteral(".pdf"))), QStringList()) << stem.toStdString();
        const QByteArray eps = readFile(path(stem + QStringLiteral(".eps")));
        EXPECT_TRUE(eps.startsWith("%!PS-Adobe-3.0 EPSF-3.0"));
        EXPECT_FALSE(eps.contains("DejaVu")) << stem.toStdString();
    }
}

} // namespace
} // namespace vm::export_test
