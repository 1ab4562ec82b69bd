#pragma once

#include <QList>
#include <QString>

namespace vm::print_texts {

// The system print dialog in each display language: its title and the
// caption of its print button, in the order the automation tries them.
struct PrintDialogText {
    QString languageCode; // the languages that show this row
    QString title;
    QString printButton;
};

// The print-to-file prompt: the system language name (LOCALE_SLANGUAGE) of
// the territory the table names, the prompt's title and its confirm button's
// caption. Every territory of the row's language shows the same prompt.
struct PromptText {
    QString languageCode; // "de": de_DE, de_AT, de_CH, ...
    QString languageName;
    QString title;
    QString confirmButton;
};

inline const QString dialogClass = QStringLiteral("#32770");
inline const QString buttonClass = QStringLiteral("BUTTON");
inline const QString editClass = QStringLiteral("Edit");

const QList<PrintDialogText>& printDialogTable();
const QList<PromptText>& promptTable();

// The row a system of that language shows; English for the others.
const PrintDialogText& printDialogFor(const QString& languageCode);
// The prompt a system of that language ("de", "pt", ...) shows; null for the
// languages the table lacks.
const PromptText* promptForLanguage(const QString& languageCode);

} // namespace vm::print_texts
