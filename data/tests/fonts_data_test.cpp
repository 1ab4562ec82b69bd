// The shipped font families: every family of fonts/manifest.txt is in the program folder with
// its licence and registers under its own name, the font pairings name only shipped families,
// and a text in another script falls back to a shipped family that has its letters.

#include "canvas/logo/font_coverage.h"
#include "canvas/logo/shipped_fonts.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringList>

#include <map>

namespace {

const QString kFonts = QStringLiteral(VM_TEST_DIST_DIR "/fonts");

struct ManifestFamily {
    QString family;
    QString kind;
    QString licence;
};

std::vector<ManifestFamily> readManifest()
{
    std::vector<ManifestFamily> families;
    QFile file(QStringLiteral(VM_TEST_SOURCE_DIR "/fonts/manifest.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return families;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char('|'));
        if (fields.size() == 5)
            families.push_back({fields[0].trimmed(), fields[1].trimmed(), fields[3].trimmed()});
        else
            ADD_FAILURE() << "malformed manifest line: " << line.toStdString();
    }
    return families;
}

QSet<QString> shippedFamilies()
{
    QSet<QString> names;
    for (const ManifestFamily& entry : readManifest())
        names.insert(entry.family);
    return names;
}

TEST(ShippedFonts, EveryManifestFamilyIsStagedWithItsLicenceAndNothingElse)
{
    const std::vector<ManifestFamily> manifest = readManifest();
    ASSERT_GE(manifest.size(), 40u);
    const QStringList registered = vm::registerShippedFonts(kFonts);

    std::map<QString, int> kinds;
    for (const ManifestFamily& entry : manifest) {
        SCOPED_TRACE(entry.family.toStdString());
        ++kinds[entry.kind];
        EXPECT_TRUE(registered.contains(entry.family)) << "no staged file has this family name";
        EXPECT_TRUE(entry.licence.startsWith(QLatin1String("OFL-")) || entry.licence == QLatin1String("Apache-2.0"));
        // The name the brand pack looks for beside the faces: licenses/<Family without spaces>-LICENSE.txt.
        const QFileInfo licence(kFonts + QStringLiteral("/licenses/") + QString(entry.family).remove(QLatin1Char(' '))
                                + QStringLiteral("-LICENSE.txt"));
        EXPECT_TRUE(licence.isFile() && licence.size() > 500) << licence.filePath().toStdString();
    }
    // A file whose family the manifest does not know would show in the font box under a
    // name nobody chose (a face that calls itself "CabinSketch" beside "Cabin Sketch").
    const QSet<QString> known = shippedFamilies();
    for (const QString& family : registered)
        EXPECT_TRUE(known.contains(family)) << family.toStdString() << " is staged but not in the manifest";
    // Every kind of logo lettering is on offer.
    for (const char* kind : {"sans", "serif", "slab", "script", "display", "condensed"})
        EXPECT_GE(kinds[QString::fromLatin1(kind)], 1) << kind;
}

TEST(FontPairings, NameShippedFamiliesAndKnownMoodsWithEveryMoodWellServed)
{
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_file(VM_TEST_DIST_DIR "/ideas/pairings.xml"));
    const QSet<QString> shipped = shippedFamilies();
    const QSet<QString> moods = {QStringLiteral("modern"), QStringLiteral("classic"), QStringLiteral("playful"),
                                 QStringLiteral("elegant"), QStringLiteral("bold"), QStringLiteral("minimal")};
    std::map<QString, int> perMood;
    QSet<QString> ids;
    int pairings = 0;
    for (const pugi::xml_node pairing : doc.child("pairings").children("pairing")) {
        ++pairings;
        const QString id = QString::fromUtf8(pairing.attribute("id").value());
        SCOPED_TRACE(id.toStdString());
        EXPECT_FALSE(id.isEmpty());
        EXPECT_FALSE(ids.contains(id)) << "duplicate id";
        ids.insert(id);
        for (const char* role : {"name", "tagline"})
            EXPECT_TRUE(shipped.contains(QString::fromUtf8(pairing.attribute(role).value()))) << role;
        const QStringList tags = QString::fromUtf8(pairing.attribute("moods").value()).split(QLatin1Char(','));
        for (const QString& mood : tags) {
            EXPECT_TRUE(moods.contains(mood)) << mood.toStdString();
            ++perMood[mood];
        }
        for (const char* flag : {"nameBold", "nameItalic", "taglineBold", "taglineItalic", "serif"})
            if (const pugi::xml_attribute value = pairing.attribute(flag))
                EXPECT_TRUE(value.as_string() == std::string("true") || value.as_string() == std::string("false")) << flag;
    }
    EXPECT_GE(pairings, 30);
    for (const QString& mood : moods)
        EXPECT_GE(perMood[mood], 4) << mood.toStdString();
}

struct FallbackCase {
    const char* text;
    const char* preferred; // a shipped family made for Latin letters only
    bool serif;
};

class ScriptFallback : public ::testing::TestWithParam<FallbackCase> {};

TEST_P(ScriptFallback, DrawsEveryLetterInAShippedFamilyOfTheSameKind)
{
    const FallbackCase& fallback = GetParam();
    const QStringList registered = vm::registerShippedFonts(kFonts);
    const QString text = QString::fromUtf8(fallback.text);
    const QString preferred = QString::fromLatin1(fallback.preferred);
    ASSERT_TRUE(registered.contains(preferred));
    ASSERT_FALSE(vm::familyCovers(preferred, text)) << "the case needs a face without these letters";

    const QString chosen = vm::familyForText(text, preferred, fallback.serif);
    EXPECT_TRUE(vm::familyCovers(chosen, text)) << chosen.toStdString();
    EXPECT_TRUE(registered.contains(chosen)) << chosen.toStdString() << " is not a shipped family";
    EXPECT_EQ(chosen.contains(QLatin1String("Libertine")) || chosen == QLatin1String("Vollkorn"), fallback.serif)
        << chosen.toStdString();
    // A Latin name keeps the font it asked for.
    EXPECT_EQ(vm::familyForText(QStringLiteral("Nordic Bakery"), preferred, fallback.serif), preferred);
}

INSTANTIATE_TEST_SUITE_P(OtherScripts, ScriptFallback,
                         ::testing::Values(FallbackCase{"Ελληνικό Αρτοποιείο", "Cabin", false},
                                           FallbackCase{"Пекарня Север", "Dancing Script", false},
                                           FallbackCase{"Piekarnia Źródło", "Cabin Sketch", false},
                                           FallbackCase{"Ωμέγα Καφέ", "Quattrocento", true},
                                           FallbackCase{"Жар-птица", "Century Catalogue", true},
                                           FallbackCase{"Łódź Żółć", "Averia Serif GWF", true}));

} // namespace
