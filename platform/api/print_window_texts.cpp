#include "platform/api/print_window_texts.h"

namespace vm::print_texts {

namespace {
const QChar dotlessI(0x0131);
const QChar cCedilla(0x00E7);
} // namespace

const QList<PrintDialogText>& printDialogTable()
{
    static const QList<PrintDialogText> table = {
        {QStringLiteral("en"), QStringLiteral("Print"), QStringLiteral("&Print")},
        {QStringLiteral("nl"), QStringLiteral("Afdrukken"), QStringLiteral("Af&drukken")},
        {QStringLiteral("fr"), QStringLiteral("Imprimer"), QStringLiteral("&Imprimer")},
        {QStringLiteral("sv nb no nn"), QStringLiteral("Skriv ut"), QStringLiteral("Skriv &ut")},
        {QStringLiteral("da"), QStringLiteral("Udskriv"), QStringLiteral("&Udskriv")},
        {QStringLiteral("de"), QStringLiteral("Drucken"), QStringLiteral("&Drucken")},
        {QStringLiteral("it"), QStringLiteral("Stampa"), QStringLiteral("&Stampa")},
        {QStringLiteral("pl"), QStringLiteral("Drukuj"), QStringLiteral("&Drukuj")},
        {QStringLiteral("es pt"), QStringLiteral("Imprimir"), QStringLiteral("I&mprimir")},
        {QStringLiteral("tr"), QStringLiteral("Yazd") + dotlessI + QStringLiteral("r"),
         QStringLiteral("&Yazd") + dotlessI + QStringLiteral("r")},
        {QStringLiteral("hu"), QStringLiteral("Nyomtat\u00e1s"), QStringLiteral("&Nyomtat\u00e1s")},
    };
    return table;
}

const QList<PromptText>& promptTable()
{
    static const QList<PromptText> table = {
        {QStringLiteral("en"), QStringLiteral("English (United States)"), QStringLiteral("Print to File"), QStringLiteral("OK")},
        {QStringLiteral("it"), QStringLiteral("Italiano (Italia)"), QStringLiteral("Stampa su file"), QStringLiteral("OK")},
        {QStringLiteral("da"), QStringLiteral("Dansk"), QStringLiteral("Skriv til fil"), QStringLiteral("OK")},
        {QStringLiteral("nl"), QStringLiteral("Nederlands (Nederland)"), QStringLiteral("Afdrukken naar bestand"), QStringLiteral("OK")},
        {QStringLiteral("de"), QStringLiteral("Deutsch (Deutschland)"), QStringLiteral("Ausgabe in Datei Umleiten"), QStringLiteral("OK")},
        {QStringLiteral("pl"), QStringLiteral("Polski"), QStringLiteral("Drukowanie do pliku"), QStringLiteral("OK")},
        {QStringLiteral("pt"), QStringLiteral("Portugu\u00eas (Brasil)"), QStringLiteral("Imprimir em arquivo"), QStringLiteral("OK")},
        {QStringLiteral("es"), QStringLiteral("Espa\u00f1ol (alfabetizaci\u00f3n internacional)"), QStringLiteral("Imprimir a un archivo"),
         QStringLiteral("Aceptar")},
        {QStringLiteral("fr"), QStringLiteral("Fran\u00e7ais (France)"), QStringLiteral("Imprimer dans un fichier"), QStringLiteral("OK")},
        {QStringLiteral("tr"), QStringLiteral("T\u00fcrk") + cCedilla + QStringLiteral("e"),
         QStringLiteral("Dosyaya Yazd") + dotlessI + QStringLiteral("r"), QStringLiteral("Tamam")},
        {QStringLiteral("hu"), QStringLiteral("magyar"), QStringLiteral("Nyomtat\u00e1s f\u00e1jlba"), QStringLiteral("OK")},
    };
    return table;
}

const PrintDialogText& printDialogFor(const QString& languageCode)
{
    for (const PrintDialogText& row : printDialogTable())
        if (!languageCode.isEmpty() && row.languageCode.split(QLatin1Char(' ')).contains(languageCode))
            return row;
    return printDialogTable().first();
}

const PromptText* promptForLanguage(const QString& languageCode)
{
    for (const PromptText& row : promptTable())
        if (!languageCode.isEmpty() && row.languageCode == languageCode)
            return &row;
    return nullptr;
}

} // namespace vm::print_texts
