#include "export/brand_page.h"

#include <QLocale>

namespace vm {

namespace {
QString preview(const QString& name)
{
    const QString escaped = name.toHtmlEscaped();
    if (name.endsWith(QLatin1String(".png")) || name.endsWith(QLatin1String(".svg")) || name.endsWith(QLatin1String(".ico")))
        return QStringLiteral("<img src=\"%1\" alt=\"%1\">").arg(escaped);
    if (name.endsWith(QLatin1String(".pdf")))
        return QStringLiteral("<object data=\"%1\" type=\"application/pdf\">PDF</object>").arg(escaped);
    return QStringLiteral("<span class=\"none\">no preview in a browser</span>");
}
} // namespace

QByteArray brandPage(const QList<BrandFile>& files, const QStringList& palette, const QStringList& fonts)
{
    QString page = QStringLiteral(
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>Brand pack</title>\n<style>\n"
        "body{font-family:sans-serif;margin:2em;color:#222}\n"
        "table{border-collapse:collapse}td,th{border:1px solid #ccc;padding:.5em;text-align:left;vertical-align:middle}\n"
        "td img,td object{max-width:240px;max-height:160px;background:repeating-conic-gradient(#ddd 0 25%,#fff 0 50%) 0 0/16px 16px}\n"
        ".swatch{display:inline-block;width:1.5em;height:1.5em;border:1px solid #888;vertical-align:middle;margin-right:.5em}\n"
        ".none{color:#888}\n</style>\n</head>\n<body>\n<h1>Brand pack</h1>\n<h2>Files</h2>\n"
        "<table>\n<tr><th>Preview</th><th>File</th><th>Pixel size</th><th>Bytes</th></tr>\n");
    const QLocale english(QLocale::English);
    for (const BrandFile& file : files)
        page += QStringLiteral("<tr><td>%1</td><td><a href=\"%2\">%2</a></td><td>%3</td><td>%4</td></tr>\n")
                    .arg(preview(file.name), file.name.toHtmlEscaped(), file.size.toHtmlEscaped(), english.toString(file.bytes));
    page += QStringLiteral("</table>\n<h2>Colours</h2>\n<ul class=\"palette\">\n");
    for (const QString& colour : palette)
        page += QStringLiteral("<li><span class=\"swatch\" style=\"background:%1\"></span><code>%1</code></li>\n").arg(colour);
    page += QStringLiteral("</ul>\n<h2>Fonts</h2>\n<ul class=\"fonts\">\n");
    for (const QString& font : fonts)
        page += QStringLiteral("<li>%1</li>\n").arg(font.toHtmlEscaped());
    if (fonts.isEmpty())
        page += QStringLiteral("<li class=\"none\">the logo has no text</li>\n");
    page += QStringLiteral("</ul>\n</body>\n</html>\n");
    return page.toUtf8();
}

} // namespace vm
