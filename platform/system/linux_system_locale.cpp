#include "platform/system/linux_system_locale.h"

#include <QList>
#include <QLocale>

namespace vm {

namespace {
struct KnownLocale {
    const char* tag;       // "de_DE"; a bare "de" matches every territory
    quint32 lcid;
    const char16_t* name;  // LOCALE_SLANGUAGE
    const char* englishName;
};

// The names Windows gives; the eleven languages of the print-to-file prompt come first.
const QList<KnownLocale>& knownLocales()
{
    static const QList<KnownLocale> locales = {
        {"en_US", 0x0409, u"English (United States)", "English (United States)"},
        {"it_IT", 0x0410, u"Italiano (Italia)", "Italian (Italy)"},
        {"da_DK", 0x0406, u"Dansk", "Danish"},
        {"nl_NL", 0x0413, u"Nederlands (Nederland)", "Dutch (Netherlands)"},
        {"de_DE", 0x0407, u"Deutsch (Deutschland)", "German (Germany)"},
        {"pl_PL", 0x0415, u"Polski", "Polish"},
        {"pt_BR", 0x0416, u"Portugu\u00eas (Brasil)", "Portuguese (Brazil)"},
        {"es_ES", 0x0C0A, u"Espa\u00f1ol (alfabetizaci\u00f3n internacional)", "Spanish (International Sort)"},
        {"fr_FR", 0x040C, u"Fran\u00e7ais (France)", "French (France)"},
        {"tr_TR", 0x041F, u"T\u00fcrk\u00e7e", "Turkish"},
        {"hu_HU", 0x040E, u"magyar", "Hungarian"},
        {"en_GB", 0x0809, u"English (United Kingdom)", "English (United Kingdom)"},
        {"en_CA", 0x1009, u"English (Canada)", "English (Canada)"},
        {"en_AU", 0x0C09, u"English (Australia)", "English (Australia)"},
        {"de_AT", 0x0C07, u"Deutsch (\u00d6sterreich)", "German (Austria)"},
        {"de_CH", 0x0807, u"Deutsch (Schweiz)", "German (Switzerland)"},
        {"fr_BE", 0x080C, u"Fran\u00e7ais (Belgique)", "French (Belgium)"},
        {"fr_CA", 0x0C0C, u"Fran\u00e7ais (Canada)", "French (Canada)"},
        {"nl_BE", 0x0813, u"Nederlands (Belgi\u00eb)", "Dutch (Belgium)"},
        {"it_CH", 0x0810, u"Italiano (Svizzera)", "Italian (Switzerland)"},
        {"pt_PT", 0x0816, u"Portugu\u00eas (Portugal)", "Portuguese (Portugal)"},
        {"es_MX", 0x080A, u"Espa\u00f1ol (M\u00e9xico)", "Spanish (Mexico)"},
        {"sv_SE", 0x041D, u"Svenska", "Swedish"},
        {"nb_NO", 0x0414, u"Norsk (bokm\u00e5l)", "Norwegian (Bokmal)"},
        {"fi_FI", 0x040B, u"suomi", "Finnish"},
        {"cs_CZ", 0x0405, u"\u010de\u0161tina", "Czech"},
        {"ru_RU", 0x0419, u"\u0440\u0443\u0441\u0441\u043a\u0438\u0439", "Russian"},
        {"ja_JP", 0x0411, u"\u65e5\u672c\u8a9e", "Japanese"},
        {"en", 0x0409, u"English (United States)", "English (United States)"},
        {"it", 0x0410, u"Italiano (Italia)", "Italian (Italy)"},
        {"da", 0x0406, u"Dansk", "Danish"},
        {"nl", 0x0413, u"Nederlands (Nederland)", "Dutch (Netherlands)"},
        {"de", 0x0407, u"Deutsch (Deutschland)", "German (Germany)"},
        {"pl", 0x0415, u"Polski", "Polish"},
        {"pt", 0x0416, u"Portugu\u00eas (Brasil)", "Portuguese (Brazil)"},
        {"es", 0x0C0A, u"Espa\u00f1ol (alfabetizaci\u00f3n internacional)", "Spanish (International Sort)"},
        {"fr", 0x040C, u"Fran\u00e7ais (France)", "French (France)"},
        {"tr", 0x041F, u"T\u00fcrk\u00e7e", "Turkish"},
        {"hu", 0x040E, u"magyar", "Hungarian"},
    };
    return locales;
}

const KnownLocale* byTag(const QString& tag)
{
    const QString language = tag.section(QLatin1Char('_'), 0, 0);
    for (const KnownLocale& locale : knownLocales())
        if (tag == QLatin1String(locale.tag))
            return &locale;
    for (const KnownLocale& locale : knownLocales())
        if (language == QLatin1String(locale.tag))
            return &locale;
    return nullptr;
}

const KnownLocale* byLcid(quint32 lcid)
{
    for (const KnownLocale& locale : knownLocales())
        if (locale.lcid == lcid)
            return &locale;
    return nullptr;
}

// Locales Windows has but this list lacks still get a name and a number of their own.
constexpr quint32 otherLocaleBase = 0x10000;
} // namespace

QString LinuxSystemLocale::localeTag()
{
    QString value;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            break;
    }
    value = value.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    if (value.isEmpty() || value == QLatin1String("C") || value == QLatin1String("POSIX"))
        return QStringLiteral("en_US");
    return value;
}

QString LinuxSystemLocale::languageCode()
{
    return localeTag().section(QLatin1Char('_'), 0, 0).toLower();
}

quint32 LinuxSystemLocale::systemDefaultLcid()
{
    const QString tag = localeTag();
    if (const KnownLocale* known = byTag(tag))
        return known->lcid;
    const QLocale locale(tag);
    // Not a Windows number, but stable and distinct from the known ones.
    return otherLocaleBase + quint32(locale.language()) * 0x400 + quint32(locale.territory());
}

int LinuxSystemLocale::getLocaleInfo(quint32 lcid, int type, QString* value)
{
    QString text;
    if (const KnownLocale* known = byLcid(lcid)) {
        if (type == locale_info::Language)
            text = QString::fromUtf16(known->name);
        else if (type == locale_info::EnglishLanguage)
            text = QString::fromLatin1(known->englishName);
    } else if (lcid >= otherLocaleBase) {
        const quint32 code = lcid - otherLocaleBase;
        const QLocale locale(QLocale::Language(code / 0x400), QLocale::Territory(code % 0x400));
        if (type == locale_info::Language)
            text = locale.nativeLanguageName() + QStringLiteral(" (") + locale.nativeTerritoryName()
                   + QLatin1Char(')');
        else if (type == locale_info::EnglishLanguage)
            text = QLocale::languageToString(locale.language()) + QStringLiteral(" (")
                   + QLocale::territoryToString(locale.territory()) + QLatin1Char(')');
    }
    if (text.isEmpty())
        return 0;
    if (value)
        *value = text;
    return int(text.size()) + 1;
}

} // namespace vm
