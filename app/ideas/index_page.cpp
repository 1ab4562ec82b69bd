#include "app/ideas/index_page.h"

namespace vm {

QString ideaProjectName(int number)
{
    return QStringLiteral("idea-%1.vmp").arg(number, 3, 10, QLatin1Char('0'));
}

QString ideaPreviewName(int number)
{
    return QStringLiteral("idea-%1.png").arg(number, 3, 10, QLatin1Char('0'));
}

QByteArray ideasIndexPage(const QString& name, const std::vector<ideas::Idea>& ideas)
{
    const QString title = name.toHtmlEscaped();
    QString page = QStringLiteral(
                       "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                       "<title>Logo ideas for %1</title>\n<style>\n"
                       "body{margin:0;padding:32px;font-family:system-ui,sans-serif;background:#f3f3f1;color:#222}\n"
                       "h1{font-weight:600;font-size:24px;margin:0 0 4px}\n"
                       "p.hint{margin:0 0 24px;color:#666}\n"
                       ".grid{display:grid;grid-template-columns:repeat(auto-fill,minmax(240px,1fr));gap:20px}\n"
                       "figure{margin:0;background:#fff;border-radius:8px;box-shadow:0 1px 3px rgba(0,0,0,.12);"
                       "overflow:hidden}\n"
                       "figure img{display:block;width:100%;height:auto}\n"
                       "figcaption{padding:8px 12px;font-size:13px;color:#555;display:flex;justify-content:space-between}\n"
                       "a{color:inherit;text-decoration:none}\n"
                       "</style>\n</head>\n<body>\n<h1>Logo ideas for %1</h1>\n"
                       "<p class=\"hint\">Open an idea's project in Vantamorph to make it yours.</p>\n"
                       "<div class=\"grid\">\n")
                       .arg(title);
    for (const ideas::Idea& idea : ideas) {
        const QString project = ideaProjectName(idea.number), preview = ideaPreviewName(idea.number);
        page += QStringLiteral("<figure><a href=\"%1\"><img src=\"%2\" alt=\"Idea %3\" loading=\"lazy\"></a>"
                               "<figcaption><a href=\"%1\">Idea %3</a><span>%4</span></figcaption></figure>\n")
                    .arg(project, preview, QString::number(idea.number), idea.layout.toHtmlEscaped());
    }
    page += QStringLiteral("</div>\n</body>\n</html>\n");
    return page.toUtf8();
}

} // namespace vm
