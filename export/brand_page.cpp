#include "export/brand_page.h"

#include <QColor>
#include <QLocale>

namespace vm {

namespace {

enum class Section { Logo, Icons, Social, Vector };
enum class Ground { Plain, Light, Dark, Contrast }; // Contrast: light or dark, whichever shows the logo's colours
enum class Frame { None, Rounded, Circle, Badge };

struct FileRole {
    const char* name;
    Section section;
    const char* use;
    Ground ground;
    Frame frame = Frame::None;
};

const FileRole roles[] = {
    {"logo.png", Section::Logo, "Web pages and documents, at its design size", Ground::Plain},
    {"logo-1024.png", Section::Logo, "Presentations and large screens", Ground::Plain},
    {"logo-512.png", Section::Logo, "Web header and email signature", Ground::Plain},
    {"logo-transparent.png", Section::Logo, "Over photos and coloured grounds (see-through)", Ground::Contrast},
    {"logo-black.png", Section::Logo, "One-colour print: stamps, forms, engraving", Ground::Light},
    {"logo-white.png", Section::Logo, "On dark photos and dark colours", Ground::Dark},
    {"favicon.ico", Section::Icons, "Favicon: the browser tab (16, 32 and 48 pixels)", Ground::Contrast},
    {"apple-touch-icon.png", Section::Icons, "iPhone and iPad home screen", Ground::Light, Frame::Rounded},
    {"icon-192.png", Section::Icons, "Android home screen and web app", Ground::Contrast, Frame::Rounded},
    {"icon-512.png", Section::Icons, "Web app splash screen and app stores", Ground::Contrast},
    {"social-avatar.png", Section::Icons, "Profile picture on social networks", Ground::Light, Frame::Circle},
    {"social-banner.png", Section::Social, "Link previews and cover images on social networks", Ground::Plain},
    {"logo.svg", Section::Vector, "Web and screens at any size (vector)", Ground::Plain},
    {"logo.pdf", Section::Vector, "Print shop and office documents (vector)", Ground::Plain, Frame::Badge},
    {"logo.eps", Section::Vector, "Print shop and design programs (vector)", Ground::Plain, Frame::Badge},
};

const char* const style = R"(
*{box-sizing:border-box}
body{margin:0;font-family:system-ui,"DejaVu Sans",sans-serif;color:#1d2733;background:#f4f6f8;line-height:1.45}
header{background:#fff;border-bottom:1px solid #dde3ea;padding:48px 32px;text-align:center}
.hero{margin:0 auto;overflow:hidden;border-radius:6px;box-shadow:0 1px 4px rgba(29,39,51,.14)}
.hero img{display:block;max-width:none}
main{max-width:1120px;margin:0 auto;padding:8px 32px 48px}
h1{font-size:30px;margin:32px 0 4px;font-weight:600}
.lead{margin:0 0 8px;color:#5b6776}
h2{font-size:13px;letter-spacing:.12em;text-transform:uppercase;color:#5b6776;margin:40px 0 14px;border-bottom:1px solid #dde3ea;padding-bottom:8px}
.note{margin:-4px 0 14px;color:#5b6776}
.grid{display:grid;grid-template-columns:repeat(3,1fr);gap:18px}
.grid.icons{grid-template-columns:repeat(auto-fill,minmax(190px,1fr))}
.grid.wide{grid-template-columns:1fr}
.card{margin:0;background:#fff;border:1px solid #dde3ea;border-radius:8px;overflow:hidden}
.preview{height:190px;display:flex;align-items:center;justify-content:center;padding:18px}
.wide .preview{height:320px}
.preview img{max-width:100%;max-height:100%}
.plain{background:#fff;border-bottom:1px solid #edf0f3}
.light{background:repeating-conic-gradient(#e9edf1 0 25%,#fff 0 50%) 0 0/18px 18px}
.dark{background:repeating-conic-gradient(#2e3a48 0 25%,#35424f 0 50%) 0 0/18px 18px}
.icon img{max-width:128px;max-height:128px}
.icon img.small{width:48px;height:48px;image-rendering:pixelated}
.rounded img{border-radius:22%}
.circle img{border-radius:50%}
.badge{font-size:40px;font-weight:700;letter-spacing:.08em;color:#5b6776}
.badge span{border:3px solid #c8d0d9;border-radius:10px;padding:10px 18px}
figcaption{padding:12px 16px 14px}
figcaption a{font-weight:600;color:#1d2733;text-decoration:none}
figcaption a:hover{text-decoration:underline}
.use{display:block;color:#3c4856;font-size:14px;margin-top:2px}
.meta{display:block;color:#8592a0;font-size:12px;margin-top:6px}
.swatches{display:grid;grid-template-columns:repeat(auto-fill,minmax(180px,1fr));gap:18px}
.swatch{background:#fff;border:1px solid #dde3ea;border-radius:8px;overflow:hidden}
.swatch .chip{height:110px;border-bottom:1px solid #dde3ea}
.swatch dl{margin:0;padding:10px 14px 12px;display:grid;grid-template-columns:auto 1fr;gap:2px 12px;font-size:13px}
.swatch dt{color:#8592a0}.swatch dd{margin:0;font-family:"DejaVu Sans Mono",monospace}
.font{background:#fff;border:1px solid #dde3ea;border-radius:8px;padding:20px 24px;margin-bottom:18px}
.font .family{font-size:34px;line-height:1.2}
.font .sample{font-size:26px;margin:6px 0;color:#3c4856}
.font .letters{font-size:18px;color:#5b6776;word-break:break-all}
.font .files{font-size:13px;color:#8592a0;margin-top:12px;font-family:system-ui,"DejaVu Sans",sans-serif}
.font .files a{color:#3c4856}
.none{color:#8592a0}
footer{color:#8592a0;font-size:12px;text-align:center;padding:24px}
)";

QString escaped(const QString& text) { return text.toHtmlEscaped(); }

const FileRole* roleOf(const QString& name)
{
    for (const FileRole& role : roles)
        if (name == QLatin1String(role.name))
            return &role;
    return nullptr;
}

QString groundClass(Ground ground, bool lightLogo)
{
    switch (ground) {
    case Ground::Plain:
        return QStringLiteral("plain");
    case Ground::Light:
        return QStringLiteral("light");
    case Ground::Dark:
        return QStringLiteral("dark");
    case Ground::Contrast:
        break;
    }
    return lightLogo ? QStringLiteral("dark") : QStringLiteral("light");
}

QString previewOf(const BrandFile& file, const FileRole& role)
{
    const QString name = escaped(file.name);
    if (role.frame == Frame::Badge)
        return QStringLiteral("<span>%1</span>").arg(escaped(file.name.section(QLatin1Char('.'), -1).toUpper()));
    const bool small = file.name.endsWith(QLatin1String(".ico"));
    return QStringLiteral("<img src=\"%1\" alt=\"%1\"%2>").arg(name, small ? QStringLiteral(" class=\"small\"") : QString());
}

QString card(const BrandFile& file, const FileRole& role, bool lightLogo)
{
    QStringList classes{QStringLiteral("preview"), groundClass(role.ground, lightLogo)};
    if (role.section == Section::Icons)
        classes.append(QStringLiteral("icon"));
    if (role.frame == Frame::Rounded)
        classes.append(QStringLiteral("rounded"));
    else if (role.frame == Frame::Circle)
        classes.append(QStringLiteral("circle"));
    else if (role.frame == Frame::Badge)
        classes.append(QStringLiteral("badge"));
    const QLocale english(QLocale::English);
    return QStringLiteral("<figure class=\"card\"><div class=\"%1\">%2</div>\n<figcaption><a href=\"%3\">%3</a>"
                          "<span class=\"use\">%4</span><span class=\"meta\">%5 &middot; <span>%6</span> bytes</span></figcaption></figure>\n")
        .arg(classes.join(QLatin1Char(' ')), previewOf(file, role), escaped(file.name), QLatin1String(role.use),
             escaped(file.size), english.toString(file.bytes));
}

QString section(const QString& title, const QString& note, const QString& cards, const QString& layout = {})
{
    if (cards.isEmpty())
        return {};
    QString html = QStringLiteral("<h2>%1</h2>\n").arg(title);
    if (!note.isEmpty())
        html += QStringLiteral("<p class=\"note\">%1</p>\n").arg(escaped(note));
    return html + QStringLiteral("<div class=\"grid %1\">\n%2</div>\n").arg(layout, cards);
}

// The large logo at the top: the stage's drawn part only, so the logo fills
// the frame whatever empty room its stage leaves around it.
QString hero(const BrandPageContent& content)
{
    const QRectF part = content.drawn.isEmpty() ? QRectF(0, 0, 1, 1) : content.drawn;
    const double stageRatio = double(std::max(1, content.stage.height())) / std::max(1, content.stage.width());
    const double ratio = part.width() / (part.height() * stageRatio); // width over height of the frame
    const auto number = [](double value) { return QString::number(value, 'f', 3); };
    return QStringLiteral("<header><div class=\"hero\" style=\"width:min(880px,100%,%1px);aspect-ratio:%2;background:%3\">"
                          "<img src=\"logo-1024.png\" alt=\"The logo\" style=\"width:%4%;margin-left:%5%;margin-top:%6%\"></div></header>\n")
        .arg(number(420 * ratio), number(ratio), content.ground.isEmpty() ? QStringLiteral("transparent") : escaped(content.ground),
             number(100 / part.width()), number(-100 * part.x() / part.width()), number(-100 * part.y() / part.width() * stageRatio));
}

QString swatch(const QString& hex)
{
    const QColor colour(hex);
    return QStringLiteral("<div class=\"swatch\"><div class=\"chip\" style=\"background:%1\"></div><dl>"
                          "<dt>Hex</dt><dd>%1</dd><dt>RGB</dt><dd>%2 %3 %4</dd><dt>CMYK</dt><dd>%5</dd></dl></div>\n")
        .arg(escaped(hex))
        .arg(colour.red())
        .arg(colour.green())
        .arg(colour.blue())
        .arg(cmykText(colour));
}

QString cssString(const QString& text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
    quoted.replace(QLatin1Char('<'), QLatin1String("\\3c ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// The pack's own copies of the fonts, named as the logo names them.
QString fontFaces(const QList<BrandFont>& fonts)
{
    QString css;
    for (const BrandFont& font : fonts)
        for (const FontFace& face : font.faces)
            css += QStringLiteral("@font-face{font-family:%1;src:url(%2);font-weight:%3;font-style:%4}\n")
                       .arg(cssString(font.family), cssString(face.file))
                       .arg(face.weight)
                       .arg(face.italic ? QStringLiteral("italic") : QStringLiteral("normal"));
    return css;
}

QString fontBlock(const BrandFont& font)
{
    const QString face = QStringLiteral("font-family:%1,\"DejaVu Sans\",sans-serif").arg(cssString(font.family)).toHtmlEscaped();
    const QString sampleStyle = face + (font.bold ? QStringLiteral(";font-weight:700") : QString())
                                + (font.italic ? QStringLiteral(";font-style:italic") : QString());
    QString html = QStringLiteral("<div class=\"font\" style=\"%1\"><div class=\"family\">%2</div>\n").arg(face, escaped(font.family));
    if (!font.sample.isEmpty())
        html += QStringLiteral("<div class=\"sample\" style=\"%1\">%2</div>\n").arg(sampleStyle, escaped(font.sample));
    html += QStringLiteral("<div class=\"letters\">ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz 0123456789 &amp;?!</div>\n");
    if (font.faces.isEmpty()) {
        html += QStringLiteral("<div class=\"files\">Not in the pack: install this font on the computers that edit the logo.</div>");
    } else {
        QStringList links;
        for (const FontFace& file : font.faces)
            links.append(QStringLiteral("<a href=\"%1\">%2</a>").arg(escaped(file.file), escaped(file.file.section(QLatin1Char('/'), -1))));
        html += QStringLiteral("<div class=\"files\">In the pack: %1, under the <a href=\"%2\">SIL Open Font License</a>.</div>")
                    .arg(links.join(QStringLiteral(", ")), escaped(font.licence));
    }
    return html + QStringLiteral("</div>\n");
}

} // namespace

QString cmykText(const QColor& colour)
{
    const double red = colour.redF(), green = colour.greenF(), blue = colour.blueF();
    const double black = 1 - std::max({red, green, blue});
    const auto share = [black](double channel) { return black >= 1 ? 0 : qRound((1 - channel - black) / (1 - black) * 100); };
    return QStringLiteral("%1 %2 %3 %4").arg(share(red)).arg(share(green)).arg(share(blue)).arg(qRound(black * 100));
}

QByteArray brandPage(const BrandPageContent& content)
{
    const QString title = content.name.isEmpty() ? QStringLiteral("Brand pack") : content.name + QStringLiteral(" \u2014 brand pack");
    QString page = QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                                  "<meta name=\"viewport\" content=\"width=device-width,initial-scale=1\">\n<title>%1</title>\n<style>%2%3</style>\n</head>\n<body>\n")
                       .arg(escaped(title), fontFaces(content.fonts), QLatin1String(style));
    const bool hasLogo = std::any_of(content.files.begin(), content.files.end(), [](const BrandFile& file) { return file.name == QLatin1String("logo-1024.png"); });
    if (hasLogo)
        page += hero(content);
    page += QStringLiteral("<main>\n<h1>%1</h1>\n<p class=\"lead\">The logo in every form it is needed, with its colours and fonts. "
                           "Each file is in this folder; click a name to open it.</p>\n")
                .arg(escaped(title));

    QString cards[4];
    for (const BrandFile& file : content.files)
        if (const FileRole* role = roleOf(file.name))
            cards[int(role->section)] += card(file, *role, content.lightLogo);
    page += section(QStringLiteral("Logo"), {}, cards[int(Section::Logo)]);
    page += section(QStringLiteral("Icons"), content.iconNote, cards[int(Section::Icons)], QStringLiteral("icons"));
    page += section(QStringLiteral("Social"), {}, cards[int(Section::Social)], QStringLiteral("wide"));
    page += section(QStringLiteral("Vector files for print"), QStringLiteral("Sharp at any size; send these to a printer or a sign maker."),
                    cards[int(Section::Vector)]);

    page += QStringLiteral("<h2>Colours</h2>\n<div class=\"swatches\">\n");
    for (const QString& colour : content.palette)
        page += swatch(colour);
    page += QStringLiteral("</div>\n<p class=\"note\">CMYK values are a starting point: ask the printer for a proof.</p>\n<h2>Fonts</h2>\n");
    for (const BrandFont& font : content.fonts)
        page += fontBlock(font);
    if (content.fonts.isEmpty())
        page += QStringLiteral("<p class=\"none\">The logo has no text.</p>\n");
    page += QStringLiteral("</main>\n<footer>Made with Vantamorph</footer>\n</body>\n</html>\n");
    return page.toUtf8();
}

} // namespace vm
