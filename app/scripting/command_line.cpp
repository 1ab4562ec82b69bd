#include "app/scripting/command_line.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace vm {

namespace {
constexpr int maxExportSide = 20000;

QStringList commaList(const QString& value)
{
    QStringList words;
    for (const QString& word : value.split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (!word.trimmed().isEmpty())
            words.append(word.trimmed());
    return words;
}
} // namespace

CommandLine parseCommandLine(const QStringList& arguments)
{
    CommandLine result;
    bool desktopGiven = false;
    bool canvasGiven = false;
    const auto fail = [&](const QString& message) {
        result.error = message;
        return result;
    };
    bool optionsEnded = false;
    for (qsizetype index = 1; index < arguments.size(); ++index) {
        QString option = arguments[index];
        // A project to open, as a file manager passes it; "--" ends the options.
        if (optionsEnded || !option.startsWith(QLatin1Char('-'))) {
            if (!result.projectPath.isEmpty())
                return fail(QStringLiteral("only one project can be opened: ") + option);
            if (option.isEmpty())
                return fail(QStringLiteral("the project's name is empty"));
            result.projectPath = QDir::cleanPath(QDir::current().absoluteFilePath(option));
            continue;
        }
        if (option == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        QString value;
        bool hasValue = false;
        // Both "--script FILE" and "--script=FILE".
        if (const qsizetype equals = option.indexOf(QLatin1Char('=')); option.startsWith(QLatin1String("--")) && equals > 0) {
            value = option.mid(equals + 1);
            option = option.left(equals);
            hasValue = true;
        }
        if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
            result.helpRequested = true;
            continue;
        }
        if (option == QLatin1String("--quit-when-ready") && !hasValue) {
            result.quitWhenReady = true;
            continue;
        }
        if (option == QLatin1String("--transparent") && !hasValue) {
            result.transparent = true;
            continue;
        }
        if (option == QLatin1String("--text-to-path") && !hasValue) {
            result.textToPath = true;
            continue;
        }
        if (option == QLatin1String("--width") || option == QLatin1String("--height")) {
            if (!hasValue && index + 1 < arguments.size())
                value = arguments[++index];
            bool number = false;
            const int pixels = value.toInt(&number);
            if (!number || pixels < 1 || pixels > maxExportSide)
                return fail(option + QStringLiteral(" must be a whole number of pixels from 1 to ") + QString::number(maxExportSide)
                            + QStringLiteral(", not \"") + value + QLatin1Char('"'));
            (option == QLatin1String("--width") ? result.width : result.height) = pixels;
            continue;
        }
        if (option == QLatin1String("--count") || option == QLatin1String("--seed")) {
            if (!hasValue && index + 1 < arguments.size())
                value = arguments[++index];
            bool number = false;
            if (option == QLatin1String("--count")) {
                result.ideas.count = value.toInt(&number);
                if (!number || result.ideas.count < 1 || result.ideas.count > maxIdeas)
                    return fail(QStringLiteral("--count must be a whole number from 1 to %1, not \"%2\"").arg(maxIdeas).arg(value));
            } else {
                result.ideas.seed = value.toUInt(&number);
                if (!number)
                    return fail(QStringLiteral("--seed must be a whole number from 0 to 4294967295, not \"") + value + QLatin1Char('"'));
            }
            continue;
        }
        if (option == QLatin1String("--canvas")) {
            if (!hasValue && index + 1 < arguments.size()) {
                value = arguments[++index];
                hasValue = true;
            }
            if (value == QLatin1String("reference"))
                result.referenceCanvas = true;
            else if (value == QLatin1String("scripted"))
                result.referenceCanvas = false;
            else
                return fail(QStringLiteral("--canvas needs reference or scripted"));
            canvasGiven = true;
            continue;
        }
        QString* target = nullptr;
        if (option == QLatin1String("--script"))
            target = &result.scriptPath;
        else if (option == QLatin1String("--transcript"))
            target = &result.transcriptPath;
        else if (option == QLatin1String("--desktop"))
            target = &result.desktopName;
        else if (option == QLatin1String("--export"))
            target = &result.exportProject;
        else if (option == QLatin1String("--brand-pack"))
            target = &result.brandPackProject;
        else if (option == QLatin1String("--out"))
            target = &result.outPath;
        else if (option == QLatin1String("--background"))
            target = &result.background;
        else if (option == QLatin1String("--ideas"))
            target = &result.ideas.name;
        else if (option == QLatin1String("--tagline"))
            target = &result.ideas.tagline;
        else if (option == QLatin1String("--colour") || option == QLatin1String("--color"))
            target = &result.ideas.colour;
        else if (option == QLatin1String("--keywords") || option == QLatin1String("--moods")) {
            if (!hasValue && index + 1 < arguments.size())
                value = arguments[++index];
            (option == QLatin1String("--keywords") ? result.ideas.keywords : result.ideas.moods) = commaList(value);
            continue;
        }
        else
            return fail(QStringLiteral("unknown option: ") + option);
        if (!hasValue) {
            if (index + 1 >= arguments.size())
                return fail(option + QStringLiteral(" needs a value"));
            value = arguments[++index];
        }
        if (value.isEmpty())
            return fail(option + QStringLiteral(" needs a value"));
        *target = value;
        result.ideasGiven = result.ideasGiven || target == &result.ideas.name;
        desktopGiven = desktopGiven || target == &result.desktopName;
    }
    if (!result.exportProject.isEmpty() && !result.brandPackProject.isEmpty())
        return fail(QStringLiteral("--export and --brand-pack cannot be used together"));
    const bool ideaOptions = !result.ideas.tagline.isEmpty() || !result.ideas.keywords.isEmpty()
                             || !result.ideas.moods.isEmpty() || !result.ideas.colour.isEmpty()
                             || arguments.filter(QRegularExpression(QStringLiteral("^--(count|seed)(=|$)"))).size() > 0;
    if (result.makingIdeas() && (result.exporting() || result.scripted() || result.quitWhenReady || !result.projectPath.isEmpty()))
        return fail(QStringLiteral("--ideas runs without --export, --brand-pack, --script, --quit-when-ready and a project"));
    if (ideaOptions && !result.makingIdeas())
        return fail(QStringLiteral("--tagline, --keywords, --moods, --colour, --count and --seed need --ideas"));
    if (result.makingIdeas() && result.outPath.isEmpty())
        return fail(QStringLiteral("--ideas needs --out"));
    if (result.exporting() && (result.scripted() || result.quitWhenReady))
        return fail(QStringLiteral("--export and --brand-pack run without --script and --quit-when-ready"));
    if (result.exporting() && !result.projectPath.isEmpty())
        return fail(QStringLiteral("--export and --brand-pack name their project after the option, not on its own"));
    if (result.exporting() && result.outPath.isEmpty())
        return fail(QStringLiteral("--export and --brand-pack need --out"));
    if (!result.outPath.isEmpty() && !result.exporting() && !result.makingIdeas())
        return fail(QStringLiteral("--out needs --export, --brand-pack or --ideas"));
    const bool pictureOptions = result.width || result.height || result.transparent || !result.background.isEmpty() || result.textToPath;
    if (pictureOptions && result.exportProject.isEmpty())
        return fail(QStringLiteral("--width, --height, --transparent, --background and --text-to-path need --export"));
    if (!result.background.isEmpty() && !QColor::isValidColorName(result.background))
        return fail(QStringLiteral("--background: unknown colour \"") + result.background + QLatin1Char('"'));
    if (result.transparent && !result.background.isEmpty())
        return fail(QStringLiteral("--transparent and --background cannot be used together"));
    if (!result.transcriptPath.isEmpty() && result.scriptPath.isEmpty())
        return fail(QStringLiteral("--transcript needs --script"));
    if (canvasGiven && result.scriptPath.isEmpty())
        return fail(QStringLiteral("--canvas needs --script"));
    if (!desktopGiven)
        result.desktopName = result.scripted() ? uniqueDesktopName() : QStringLiteral("default");
    result.ideas.out = result.outPath;
    return result;
}

QString commandLineUsage(const QString& program)
{
    const QString name = program.isEmpty() ? QStringLiteral("vantamorph") : QFileInfo(program).fileName();
    return QStringLiteral("usage: ") + name + QStringLiteral(" [PROJECT.vmp]\n")
           + QStringLiteral("       ") + name
           + QStringLiteral(" [--script FILE [--transcript OUT] [--canvas KIND]] [--desktop NAME] [--quit-when-ready]\n"
                            "         [PROJECT.vmp]\n")
           + QStringLiteral("       ") + name
           + QStringLiteral(" --export LOGO.vmp --out FILE [--width N] [--height N] [--transparent] [--background COLOR]\n"
                             "         [--text-to-path]\n")
           + QStringLiteral("       ") + name + QStringLiteral(" --brand-pack LOGO.vmp --out FOLDER\n")
           + QStringLiteral("       ") + name
           + QStringLiteral(" --ideas NAME --out FOLDER [--tagline TEXT] [--keywords WORD,WORD] [--moods MOOD,MOOD]\n"
                             "         [--colour FAMILY] [--count N] [--seed N]\n")
           + QStringLiteral("  PROJECT.vmp        open this project once the program has started, as Open Project\n"
                            "                     does; when a copy of the program already runs on this desktop,\n"
                            "                     that copy opens it\n"
                            "  --script FILE      run FILE headless, answering from it, and write a transcript\n"
                            "  --transcript OUT   write the transcript to OUT instead of stdout\n"
                            "  --canvas KIND      the canvas of a scripted session: scripted (default) or reference\n"
                            "  --desktop NAME     the desktop whose copies of the program see each other\n"
                            "  --quit-when-ready  end as soon as the menus are ready (start-up checks and timing)\n"
                            "Export without a window (no display needed):\n"
                            "  --export LOGO.vmp  write the logo to the file --out names; its extension picks the\n"
                            "                     format: png, jpg, gif, tiff, eps, svg or pdf\n"
                            "  --brand-pack LOGO.vmp\n"
                            "                     write the brand pack (logo.svg/.pdf/.eps, PNGs, favicon.ico, icons,\n"
                            "                     social pictures and brand-pack.html) into the folder --out names,\n"
                            "                     new or holding a previous pack, which it replaces whole when done\n"
                            "  --out PATH         the file or folder written\n"
                            "  --width N          the picture's width in pixels (1 to 20000), the aspect kept\n"
                            "  --height N         the picture's height in pixels (1 to 20000); with --width the\n"
                            "                     largest size inside both\n"
                            "  --transparent      leave the empty stage see-through (png, gif, tiff, svg, pdf)\n"
                            "  --background COLOR draw the stage on COLOR (#rrggbb or a name) instead of its own\n"
                            "  --text-to-path     svg, pdf and eps: every text as outlines, so the file looks the\n"
                            "                     same where its fonts are missing (the text is then no longer\n"
                            "                     editable); without it texts stay text and a pdf or eps embeds\n"
                            "                     their fonts. The brand pack's vector files are always outlines\n"
                            "Logo ideas without a window (no display needed):\n"
                            "  --ideas NAME       make logo ideas for the business NAME in the folder --out names\n"
                            "                     (created when missing): idea-001.vmp (a project), idea-001.png\n"
                            "                     (a 512-pixel-wide preview), ... and index.html showing them all\n"
                            "  --tagline TEXT     a line under the name\n"
                            "  --keywords W,W     what the business does (bakery, law, yoga...): picks the symbols\n"
                            "  --moods M,M        modern, classic, playful, elegant, bold or minimal\n"
                            "  --colour FAMILY    blue, green, red, orange, purple or neutral\n"
                            "  --count N          how many ideas, 1 to 500 (default 60)\n"
                            "  --seed N           another seed gives other ideas; the same arguments and seed\n"
                            "                     always write the same files (default 1)\n"
                            "Exit status: 0 when written; 1 when the project, target or sizes are wrong or writing\n"
                            "failed (nothing is created or changed by bad input); 2 for unknown options.\n"
                            "A picture or symbol that cannot be read is drawn as a grey placeholder, as on the\n"
                            "screen, and named in a \"vantamorph: warning: ...\" line; the status stays 0.\n");
}

QString uniqueDesktopName()
{
    return QStringLiteral("script-") + QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-')
           + QString::number(QRandomGenerator::global()->generate(), 16);
}

} // namespace vm
