// Writes the shipped templates: run by hand after changing a design, and the
// files it writes are committed (see README.md beside it). Texts get their
// natural size from the shipped fonts, so they draw unstretched, and every
// design is centred on the stage.
//
//   vm_make_templates FONT_FOLDER DATA_FOLDER OUTPUT_FOLDER [SHEET.png]
//
// DATA_FOLDER is the clip-art catalogue (data/datasrc); SHEET.png, when
// given, is a contact sheet of every design as the renderer draws it.
#include "canvas/logo/logo_renderer.h"
#include "canvas/logo/logo_xml.h"
#include "canvas/logo/shipped_fonts.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <cmath>
#include <cstdio>

using namespace vm;

namespace {

struct Font {
    const char* family;
    bool bold;
    bool italic;
};
const Font lato{"Lato", false, false};
const Font latoBold{"Lato", true, false};
const Font latoItalic{"Lato", false, true};
const Font comfortaa{"Comfortaa", false, false};
const Font comfortaaBold{"Comfortaa", true, false};
const Font spartan{"League Spartan", true, false};
const Font script{"Lobster Two", true, true};
const Font garamond{"EB Garamond", false, false};
const Font garamondItalic{"EB Garamond", false, true};
const Font sans{"DejaVu Sans", false, false};
const Font sansBold{"DejaVu Sans", true, false};
const Font serifBold{"DejaVu Serif", true, false};

QString symbolPath(const char* name)
{
    static const QHash<QString, QString> folders = {
        {"bubbles", "Abstract"}, {"burst", "Abstract"},   {"diamond", "Abstract"},  {"infinity", "Abstract"},
        {"stripes", "Abstract"}, {"swirl", "Abstract"},   {"arrow", "Business"},    {"briefcase", "Business"},
        {"chart", "Business"},   {"globe", "Business"},   {"handshake", "Business"}, {"key", "Business"},
        {"circle", "Geometric"}, {"hexagon", "Geometric"}, {"ring", "Geometric"},    {"square", "Geometric"},
        {"star", "Geometric"},   {"triangle", "Geometric"}, {"drop", "Nature"},     {"leaf", "Nature"},
        {"mountain", "Nature"},  {"sun", "Nature"},       {"tree", "Nature"},       {"wave", "Nature"},
    };
    const QString key = QString::fromLatin1(name);
    if (!folders.contains(key))
        qFatal("no symbol %s", name);
    return QStringLiteral("ClipArts/") + folders.value(key) + QLatin1Char('/') + key + QStringLiteral(".svg");
}

// A design is drawn around its own origin; finish() centres it on the stage.
// Positions name an element's centre, or its left edge for left-aligned texts.
class Design {
public:
    Design(const char* category, const char* file, const char* background) : category_(category), file_(file)
    {
        logo_.background = QColor(QString::fromLatin1(background));
    }

    Design& text(const QString& content, const Font& font, double size, const char* color, double x, double y,
                 bool leftAligned = false)
    {
        LogoElement element;
        element.kind = ElementKind::Text;
        element.text = content;
        element.fontFamily = QString::fromLatin1(font.family);
        element.fontSize = size;
        element.bold = font.bold;
        element.italic = font.italic;
        element.color = QColor(QString::fromLatin1(color));
        element.size = LogoRenderer::naturalTextSize(element);
        element.position = QPointF(leftAligned ? x : x - element.size.width() / 2, y - element.size.height() / 2);
        logo_.elements.push_back(element);
        return *this;
    }
    Design& left(const QString& content, const Font& font, double size, const char* color, double x, double y)
    {
        return text(content, font, size, color, x, y, true);
    }

    Design& symbol(const char* name, const char* color, double x, double y, double width, double height, double rotation = 0)
    {
        LogoElement element;
        element.kind = ElementKind::Symbol;
        element.symbol = symbolPath(name);
        element.color = QColor(QString::fromLatin1(color));
        element.size = QSizeF(width, height);
        element.position = QPointF(x - width / 2, y - height / 2);
        element.rotation = rotation;
        logo_.elements.push_back(element);
        return *this;
    }
    // A thin bar: the square stretched.
    Design& rule(const char* color, double x, double y, double width, double height = 3)
    {
        return symbol("square", color, x, y, width, height);
    }

    const LogoDocument& logo() const { return logo_; }
    QString name() const { return QString::fromLatin1(category_) + QLatin1Char('/') + QString::fromLatin1(file_); }

    bool write(const QString& folder)
    {
        centre();
        const QString directory = folder + QLatin1Char('/') + QString::fromLatin1(category_);
        QDir().mkpath(directory);
        QFile file(directory + QLatin1Char('/') + QString::fromLatin1(file_) + QStringLiteral(".xml"));
        if (!file.open(QIODevice::WriteOnly))
            return false;
        return file.write(logo_xml::write(logo_)) > 0;
    }

private:
    // The design grows to fill the stage comfortably, then sits in its middle.
    void centre()
    {
        QRectF bounds;
        for (const LogoElement& element : logo_.elements)
            bounds = bounds.united(element.box());
        const double scale = std::min({maxWidth / bounds.width(), maxHeight / bounds.height(), maxScale});
        const QPointF stageCentre(logo_.stageSize.width() / 2.0, logo_.stageSize.height() / 2.0);
        for (LogoElement& element : logo_.elements) {
            const QPointF centre = stageCentre + (element.box().center() - bounds.center()) * scale;
            if (element.kind == ElementKind::Text) {
                // A text grows by its font size, so it keeps its natural shape.
                element.fontSize = std::round(element.fontSize * scale);
                element.size = LogoRenderer::naturalTextSize(element);
            } else {
                element.size *= scale;
            }
            // Tenths of a pixel: the files stay readable and the layout does not move.
            element.size = QSizeF(std::round(element.size.width() * 10) / 10, std::round(element.size.height() * 10) / 10);
            element.position = QPointF(std::round((centre.x() - element.size.width() / 2) * 10) / 10,
                                       std::round((centre.y() - element.size.height() / 2) * 10) / 10);
        }
    }

    static constexpr double maxWidth = 390;
    static constexpr double maxHeight = 285;
    static constexpr double maxScale = 1.6;

    const char* category_;
    const char* file_;
    LogoDocument logo_;
};

QList<Design> designs()
{
    const QString dot = QString(QChar(0x00B7));
    QList<Design> all;

    // Business: navy, gold and teal; quiet type.
    all << Design("business", "summit-partners", "#ffffff")
               .symbol("mountain", "#1f3a5f", 0, -70, 120, 100)
               .text("COMPANY NAME", latoBold, 42, "#1f3a5f", 0, 14)
               .rule("#c9a227", 0, 48, 70)
               .text("Consulting & Strategy", latoItalic, 18, "#5b6b7d", 0, 72);
    all << Design("business", "global-trade", "#ffffff")
               .symbol("globe", "#128c9e", 0, 0, 110, 110)
               .left("COMPANY NAME", spartan, 38, "#1b2a41", 72, -12)
               .left("International Trade Services", lato, 17, "#128c9e", 74, 26);
    all << Design("business", "growth-advisors", "#f5f7fa")
               .symbol("square", "#1f3a5f", 0, -72, 112, 112)
               .symbol("chart", "#7cc47f", 0, -72, 64, 64)
               .text("Your Company", latoBold, 42, "#1f3a5f", 0, 20)
               .text("Financial Advisors", garamondItalic, 22, "#5b6b7d", 0, 58);
    all << Design("business", "key-estates", "#ffffff")
               .symbol("key", "#b8912f", 0, -62, 110, 110, -45)
               .text("BRAND NAME", garamond, 50, "#22313f", 0, 18)
               .rule("#b8912f", -150, 62, 50, 2)
               .text("REAL ESTATE " + dot + " EST. 2024", lato, 14, "#6b7785", 0, 62)
               .rule("#b8912f", 150, 62, 50, 2);
    all << Design("business", "executive-navy", "#1c2841")
               .symbol("briefcase", "#d4af37", 0, -64, 96, 96)
               .text("COMPANY NAME", latoBold, 40, "#ffffff", 0, 20)
               .text("Business Services & Solutions", latoItalic, 17, "#d4af37", 0, 56);
    all << Design("business", "trusted-partners", "#ffffff")
               .symbol("ring", "#0f7c8c", 0, -70, 124, 124)
               .text("P", garamond, 64, "#0b3c49", 0, -70)
               .text("Partners & Co.", garamond, 48, "#0b3c49", 0, 26)
               .text("Trusted Advisors Since 1998", latoItalic, 17, "#0f7c8c", 0, 64);

    // Technology: bright accents, geometric type.
    all << Design("technology", "cloud-hexagon", "#ffffff")
               .symbol("hexagon", "#2563eb", 0, -66, 120, 120)
               .symbol("diamond", "#ffffff", 0, -66, 56, 56)
               .text("TECHNAME", spartan, 50, "#0f172a", 0, 24)
               .text("Cloud Solutions", lato, 19, "#2563eb", 0, 60);
    all << Design("technology", "infinite-app", "#ffffff")
               .symbol("infinity", "#7c3aed", 0, -58, 160, 96)
               .text("Your App", comfortaaBold, 50, "#4c1d95", 0, 20)
               .text("Software that scales", comfortaa, 18, "#7c7c8a", 0, 60);
    all << Design("technology", "data-lab", "#ffffff")
               .symbol("bubbles", "#06b6d4", 0, 0, 104, 104)
               .left("BRAND NAME", spartan, 40, "#0f172a", 68, -12)
               .left("Analytics " + dot + " Data " + dot + " AI", lato, 17, "#0891b2", 70, 26);
    all << Design("technology", "digital-studio", "#101828")
               .symbol("swirl", "#22d3ee", 0, -64, 110, 110)
               .text("Your Brand", comfortaaBold, 46, "#ffffff", 0, 20)
               .text("Digital Studio", lato, 18, "#22d3ee", 0, 58);
    all << Design("technology", "fast-network", "#ffffff")
               .symbol("stripes", "#f97316", 0, 0, 92, 92)
               .left("BRAND NAME", spartan, 42, "#1e293b", 62, -12)
               .left("Networks " + dot + " Hosting " + dot + " Support", lato, 15, "#64748b", 64, 26);
    all << Design("technology", "web-services", "#f8fafc")
               .symbol("globe", "#0ea5e9", 0, -66, 100, 100)
               .text("COMPANY NAME", sansBold, 36, "#0f172a", 0, 12)
               .rule("#0ea5e9", 0, 40, 260, 2)
               .text("Internet Services", sans, 16, "#475569", 0, 60);

    // Food and drink: warm colours, script and serif type.
    all << Design("food-and-drink", "coffee-house", "#fbf3e4")
               .symbol("circle", "#5d3a1a", 0, -20, 200, 200)
               .symbol("drop", "#e8c39e", 0, -74, 34, 34)
               .text("Café Name", script, 38, "#fbf3e4", 0, -26)
               .rule("#e8c39e", 0, 2, 90, 2)
               .text("COFFEE HOUSE", latoBold, 13, "#e8c39e", 0, 20)
               .text("Fresh Roasted Daily", latoItalic, 18, "#5d3a1a", 0, 104);
    all << Design("food-and-drink", "morning-bakery", "#fffaf2")
               .symbol("sun", "#e0a526", 0, -66, 92, 92)
               .text("BAKERY NAME", garamond, 48, "#6b3f1d", 0, 14)
               .text("Bread " + dot + " Pastries " + dot + " Cakes", latoItalic, 18, "#a0703f", 0, 54);
    all << Design("food-and-drink", "juice-bar", "#ffffff")
               .symbol("drop", "#f59e0b", -26, -60, 70, 70)
               .symbol("leaf", "#4caf50", 24, -72, 74, 74)
               .text("Juice Bar", comfortaaBold, 50, "#2e7d32", 0, 10)
               .text("Fresh & Organic", comfortaa, 19, "#f59e0b", 0, 50);
    all << Design("food-and-drink", "trattoria", "#fffdf7")
               .symbol("triangle", "#c62828", 0, -74, 84, 84, 180)
               .symbol("bubbles", "#fff3d6", 0, -80, 36, 36)
               .text("Restaurant Name", script, 46, "#c62828", 0, 6)
               .text("ITALIAN KITCHEN", latoBold, 15, "#2e7d32", 0, 44);
    all << Design("food-and-drink", "craft-brewery", "#ffffff")
               .symbol("hexagon", "#b7791f", 0, -68, 116, 116)
               .symbol("wave", "#fff8e1", 0, -66, 64, 64)
               .text("BREWERY NAME", spartan, 40, "#3e2a14", 0, 18)
               .text("Craft Beer Since 2024", latoItalic, 17, "#b7791f", 0, 52);
    all << Design("food-and-drink", "wine-bar", "#4a1024")
               .symbol("bubbles", "#d4af37", 0, -62, 78, 78)
               .text("Wine Bar", garamondItalic, 58, "#fbeee0", 0, 8)
               .text("WINE " + dot + " CHEESE " + dot + " MUSIC", lato, 14, "#d4af37", 0, 52);

    // Sport: strong colours, heavy type.
    all << Design("sport", "team-star", "#ffffff")
               .symbol("ring", "#c62828", 0, -70, 124, 124)
               .symbol("star", "#f2b705", 0, -70, 64, 64)
               .text("TEAM NAME", spartan, 52, "#14213d", 0, 22)
               .text("EST. 2024", latoBold, 16, "#c62828", 0, 58);
    all << Design("sport", "climbing-club", "#f4f7f2")
               .symbol("mountain", "#2f5d3a", 0, -62, 150, 108)
               .text("CLUB NAME", spartan, 46, "#1f3326", 0, 22)
               .text("Outdoor Adventures", latoItalic, 18, "#6a8f5a", 0, 58);
    all << Design("sport", "surf-school", "#ffffff")
               .symbol("sun", "#f59e0b", 46, -78, 62, 62)
               .symbol("wave", "#0369a1", 0, -56, 150, 96)
               .text("Surf Club", script, 52, "#0c4a6e", 0, 22)
               .text("RIDE THE WAVES", latoBold, 14, "#f59e0b", 0, 68);
    all << Design("sport", "power-gym", "#111111")
               .symbol("circle", "#e11d48", 0, -66, 104, 104)
               .symbol("arrow", "#ffffff", 0, -66, 60, 60, 45)
               .text("GYM NAME", spartan, 50, "#ffffff", 0, 20)
               .text("Stronger Every Day", lato, 17, "#e11d48", 0, 56);
    all << Design("sport", "running-club", "#ffffff")
               .symbol("triangle", "#f97316", -18, -64, 90, 90, 90)
               .symbol("triangle", "#facc15", 22, -64, 70, 70, 90)
               .text("RUNNING CLUB", spartan, 42, "#1f2937", 0, 16)
               .text("Run Together " + dot + " Since 2024", lato, 16, "#f97316", 0, 50);
    all << Design("sport", "gaming-team", "#2e1065")
               .symbol("burst", "#a855f7", 0, -64, 120, 120)
               .symbol("star", "#ffffff", 0, -64, 46, 46)
               .text("TEAM NAME", spartan, 48, "#ffffff", 0, 20)
               .text("ESPORTS " + dot + " GAMING", latoBold, 15, "#c4b5fd", 0, 54);

    // Nature: greens, blues and earth tones.
    all << Design("nature", "garden-tree", "#fbfdf8")
               .symbol("tree", "#2e7d32", 0, -64, 104, 104)
               .text("Garden Name", garamond, 48, "#1b5e20", 0, 14)
               .text("Landscaping & Design", latoItalic, 18, "#6d8b4e", 0, 52);
    all << Design("nature", "eco-leaf", "#ffffff")
               .symbol("leaf", "#43a047", 0, -60, 96, 96)
               .text("your brand", comfortaaBold, 50, "#2e7d32", 0, 14)
               .text("naturally better", comfortaa, 19, "#8d6e63", 0, 54);
    all << Design("nature", "mountain-camp", "#ffffff")
               .symbol("sun", "#f57c00", 34, -86, 60, 60)
               .symbol("mountain", "#1e3a5f", 0, -60, 150, 104)
               .text("CAMP NAME", spartan, 44, "#1e3a5f", 0, 22)
               .text("Adventure Outfitters", latoItalic, 18, "#f57c00", 0, 58);
    all << Design("nature", "pure-water", "#f0f8ff")
               .symbol("drop", "#0284c7", 0, -64, 92, 92)
               .text("Pure Water", latoBold, 48, "#075985", 0, 14)
               .text("Natural Spring Water", lato, 18, "#38bdf8", 0, 52);
    all << Design("nature", "ocean-resort", "#ffffff")
               .symbol("circle", "#0e7490", 0, -66, 124, 124)
               .symbol("wave", "#ffffff", 0, -56, 90, 70)
               .text("RESORT NAME", garamond, 44, "#134e4a", 0, 20)
               .text("Beach Resort & Spa", latoItalic, 18, "#0e7490", 0, 56);
    all << Design("nature", "flower-shop", "#fff7f9")
               .symbol("leaf", "#4caf50", 24, -50, 56, 56)
               .symbol("leaf", "#4caf50", -24, -50, 56, 56, -90)
               .symbol("sun", "#ec4899", 0, -92, 56, 56)
               .text("Florist Name", script, 48, "#be185d", 0, 10)
               .text("Fresh Flowers & Gifts", latoItalic, 18, "#4caf50", 0, 48);

    // Monogram: initials in a frame, the full name under it.
    all << Design("monogram", "classic-ring", "#ffffff")
               .symbol("ring", "#1f3a5f", 0, -46, 170, 170)
               .text("AB", garamond, 48, "#1f3a5f", 0, -44)
               .text("YOUR NAME", lato, 18, "#1f3a5f", 0, 62);
    all << Design("monogram", "gold-diamond", "#fffdf6")
               .symbol("square", "#b8912f", 0, -44, 104, 104, 45)
               .text("M", garamond, 66, "#ffffff", 0, -42)
               .text("Maison Name", garamondItalic, 32, "#5c4a1f", 0, 62);
    all << Design("monogram", "bold-circle", "#ffffff")
               .symbol("circle", "#111827", 0, -44, 136, 136)
               .text("JD", spartan, 58, "#ffffff", 0, -40)
               .text("YOUR NAME " + dot + " DESIGN", lato, 16, "#111827", 0, 50);
    all << Design("monogram", "studio-hexagon", "#ffffff")
               .symbol("hexagon", "#0d9488", 0, -44, 140, 140)
               .text("K", comfortaaBold, 72, "#ffffff", 0, -46)
               .text("Your Studio", comfortaa, 28, "#134e4a", 0, 50);
    all << Design("monogram", "script-square", "#fbf6ee")
               .symbol("square", "#7f1d1d", 0, -44, 120, 120)
               .text("RS", script, 60, "#fbf6ee", 0, -46)
               .text("Your Name", garamondItalic, 30, "#7f1d1d", 0, 50);
    all << Design("monogram", "wedding-star", "#ffffff")
               .symbol("star", "#d4af37", 0, -72, 40, 40)
               .text("A & B", garamond, 64, "#3f3f46", 0, -18)
               .rule("#d4af37", 0, 20, 120, 2)
               .text("Your Names " + dot + " 12.06.2025", latoItalic, 17, "#71717a", 0, 42);
    return all;
}

// Every design in a grid, named, as the gallery's thumbnails would show them.
bool writeSheet(const QList<Design>& all, const LogoRenderer& renderer, const QString& path)
{
    const int columns = 6;
    const double scale = 0.5;
    const QSize cell(qRound(507 * scale) + 16, qRound(397 * scale) + 36);
    const int rows = int((all.size() + columns - 1) / columns);
    QImage sheet(cell.width() * columns, cell.height() * rows, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(0xee, 0xf4, 0xfa));
    QPainter painter(&sheet);
    for (int index = 0; index < all.size(); ++index) {
        const QPoint corner((index % columns) * cell.width() + 8, (index / columns) * cell.height() + 8);
        const QImage image = renderer.render(all[index].logo(), scale, all[index].logo().background);
        painter.drawImage(corner, image);
        painter.setPen(QColor(0x9f, 0xb7, 0xcf));
        painter.drawRect(QRect(corner, image.size()).adjusted(0, 0, -1, -1));
        painter.setPen(QColor(0x1f, 0x3a, 0x5f));
        painter.drawText(QRect(corner.x(), corner.y() + image.height() + 2, image.width(), 20), Qt::AlignCenter, all[index].name());
    }
    painter.end();
    return sheet.save(path);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: %s FONT_FOLDER DATA_FOLDER OUTPUT_FOLDER [SHEET.png]\n", argv[0]);
        return 2;
    }
    registerShippedFonts(QString::fromLocal8Bit(argv[1]));
    const QString output = QString::fromLocal8Bit(argv[3]);
    QList<Design> all = designs();
    for (Design& design : all) {
        if (!design.write(output)) {
            std::fprintf(stderr, "cannot write a template into %s\n", argv[3]);
            return 1;
        }
    }
    std::printf("%d templates written to %s\n", int(all.size()), argv[3]);
    if (argc == 5) {
        const LogoRenderer renderer({QString::fromLocal8Bit(argv[2]), QString()});
        if (!writeSheet(all, renderer, QString::fromLocal8Bit(argv[4]))) {
            std::fprintf(stderr, "cannot write the sheet %s\n", argv[4]);
            return 1;
        }
    }
    return 0;
}
