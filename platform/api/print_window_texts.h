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

// The print-to-file prompt: the system language name (LOCALE_SLANGUAGE),
// the prompt's title and its confirm button's caption.
struct PromptText {
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
const PromptText& promptFor(const QString& languageName);

} // namespace vm::print_texts
