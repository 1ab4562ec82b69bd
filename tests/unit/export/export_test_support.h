#pragma once

#include "canvas/logo/logo_renderer.h"
#include "canvas/logo/logo_xml.h"
#include "export/logo_export.h"
#include "tests/support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vm::export_test {

using test::readFile;

inline ExportOptions sized(int width, int height)
{
    ExportOptions options;
    options.width = width;
    options.height = height;
    return options;
}

// A folder with a data folder holding one symbol, and a logo that uses it:
// a red text, a blue symbol, on a yellow stage with empty corners.
class ExportFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        QDir().mkpath(data() + QStringLiteral("/ClipArts"));
        QFile symbol(data() + QStringLiteral("/ClipArts/star.svg"));
        ASSERT_TRUE(symbol.open(QIODevice::WriteOnly));
        symbol.write("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 10 10\">"
                     "<path d=\"M5 0 L10 10 L0 10 Z\" fill=\"#000000\"/></svg>");
        symbol.close();
        renderer.setResources({data(), folder.path() + QStringLiteral("/LogoImages")});

        logo.stageSize = QSize(400, 200);
        logo.background = QColor(QStringLiteral("#ffff00"));
        LogoElement text;
        text.kind = ElementKind::Text;
        text.text = QStringLiteral("Acme");
        text.fontFamily = QStringLiteral("DejaVu Sans");
        text.color = QColor(QStringLiteral("#ff0000"));
        text.position = QPointF(40, 60);
        text.size = QSizeF(200, 80);
        LogoElement star;
        star.kind = ElementKind::Symbol;
        star.symbol = QStringLiteral("ClipArts/star.svg");
        star.color = QColor(QStringLiteral("#0000ff"));
        star.position = QPointF(260, 50);
        star.size = QSizeF(100, 100);
        logo.elements = {text, star};
    }

    QString data() const { return folder.path() + QStringLiteral("/datasrc"); }
    QString path(const QString& name) const { return folder.path() + QLatin1Char('/') + name; }

    // The project file of the logo, as the program saves it.
    QString writeProject(const QString& name) const
    {
        QFile file(path(name));
        file.open(QIODevice::WriteOnly);
        file.write(logo_xml::write(logo));
        return file.fileName();
    }

    QTemporaryDir folder;
    LogoRenderer renderer;
    LogoDocument logo;
};

} // namespace vm::export_test
