#include "canvas/ideas/idea_data.h"

#include "canvas/ideas/contrast.h"

#include <QFile>
#include <algorithm>
#include <pugixml.hpp>

namespace vm::ideas {

namespace {
// Enough for any data file we ship; a larger one is not ours.
constexpr qint64 maxDataFile = 4 * 1024 * 1024;

bool loadXml(const QString& path, pugi::xml_document& document)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxDataFile)
        return false;
    const QByteArray bytes = file.readAll();
    return document.load_buffer(bytes.constData(), size_t(bytes.size()));
}

QString attribute(const pugi::xml_node& node, const char* name)
{
    return QString::fromUtf8(node.attribute(name).value()).trimmed();
}

bool flag(const pugi::xml_node& node, const char* name)
{
    return attribute(node, name) == QLatin1String("true");
}

QStringList list(const QString& text)
{
    QStringList words;
    for (const QString& word : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (!word.trimmed().isEmpty())
            words.append(word.trimmed().toLower());
    return words;
}

TextStyle style(const pugi::xml_node& node, const char* prefix)
{
    const auto key = [prefix](const char* suffix) { return QByteArray(prefix) + suffix; };
    TextStyle result;
    result.family = attribute(node, prefix);
    result.bold = flag(node, key("Bold").constData());
    result.italic = flag(node, key("Italic").constData());
    result.upper = attribute(node, key("Case").constData()) == QLatin1String("upper");
    result.spacing = std::clamp(attribute(node, key("Spacing").constData()).toDouble(), 0.0, 40.0);
    return result;
}
} // namespace

std::vector<Palette> loadPalettes(const QString& path)
{
    std::vector<Palette> palettes;
    pugi::xml_document document;
    if (!loadXml(path, document))
        return palettes;
    for (const pugi::xml_node node : document.child("palettes").children("palette")) {
        Palette palette;
        palette.id = attribute(node, "id");
        palette.paper = QColor(attribute(node, "paper"));
        palette.ink = QColor(attribute(node, "ink"));
        palette.accent = QColor(attribute(node, "accent"));
        palette.moods = list(attribute(node, "moods"));
        palette.family = attribute(node, "family").toLower();
        if (palette.id.isEmpty() || !palette.paper.isValid() || !palette.ink.isValid() || !palette.accent.isValid())
            continue;
        if (contrastRatio(palette.ink, palette.paper) < 4.5)
            palette.ink = mostReadableOn(palette.paper, {QColor(Qt::black), QColor(Qt::white)});
        palettes.push_back(palette);
    }
    return palettes;
}

std::vector<Pairing> loadPairings(const QString& path)
{
    std::vector<Pairing> pairings;
    pugi::xml_document document;
    if (!loadXml(path, document))
        return pairings;
    for (const pugi::xml_node node : document.child("pairings").children("pairing")) {
        Pairing pairing;
        pairing.id = attribute(node, "id");
        pairing.name = style(node, "name");
        pairing.tagline = style(node, "tagline");
        pairing.moods = list(attribute(node, "moods"));
        pairing.serif = flag(node, "serif");
        if (pairing.id.isEmpty() || pairing.name.family.isEmpty())
            continue;
        if (pairing.tagline.family.isEmpty())
            pairing.tagline.family = pairing.name.family;
        pairings.push_back(pairing);
    }
    return pairings;
}

QHash<QString, QStringList> loadSynonyms(const QString& path)
{
    QHash<QString, QStringList> synonyms;
    pugi::xml_document document;
    if (!loadXml(path, document))
        return synonyms;
    for (const pugi::xml_node node : document.child("synonyms").children("word")) {
        const QString word = attribute(node, "name").toLower();
        if (!word.isEmpty())
            synonyms[word] += list(QString::fromUtf8(node.child_value()));
    }
    return synonyms;
}

} // namespace vm::ideas
