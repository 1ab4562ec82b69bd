#include "canvas/wizard/keyword_field.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QStringListModel>

namespace vm {

namespace {
const QRegularExpression separators(QStringLiteral("[,\\s]+"));
constexpr int shortestPrefix = 2;
} // namespace

KeywordField::KeywordField(Suggest suggestions, QWidget* parent)
    : QLineEdit(parent), suggest_(std::move(suggestions)), words_(new QStringListModel(this)), completer_(new QCompleter(words_, this))
{
    completer_->setWidget(this);
    completer_->setCaseSensitivity(Qt::CaseInsensitive);
    completer_->setCompletionMode(QCompleter::PopupCompletion);
    completer_->setMaxVisibleItems(8);
    connect(this, &QLineEdit::textEdited, this, [this] { suggest(); });
    connect(completer_, qOverload<const QString&>(&QCompleter::activated), this, [this](const QString& word) { take(word); });
}

QStringList KeywordField::keywords() const
{
    QStringList words;
    for (const QString& word : text().split(separators, Qt::SkipEmptyParts))
        if (!words.contains(word, Qt::CaseInsensitive))
            words.append(word);
    return words;
}

QString KeywordField::lastWord() const
{
    const QString before = text().left(cursorPosition());
    const qsizetype start = before.lastIndexOf(separators);
    if (start < 0)
        return before;
    const QRegularExpressionMatch match = separators.match(before, start);
    return before.mid(match.capturedEnd());
}

void KeywordField::suggest()
{
    const QString word = lastWord();
    const QStringList found = word.size() >= shortestPrefix && suggest_ ? suggest_(word.toLower()) : QStringList();
    if (found.isEmpty()) {
        completer_->popup()->hide();
        return;
    }
    words_->setStringList(found);
    completer_->setCompletionPrefix(word);
    completer_->complete();
}

void KeywordField::take(const QString& suggestion)
{
    const QString word = lastWord();
    const int end = cursorPosition();
    const QString after = text().mid(end);
    setText(text().left(end - word.size()) + suggestion + QStringLiteral(", ") + after);
    setCursorPosition(int(end - word.size() + suggestion.size() + 2));
}

void KeywordField::keyPressEvent(QKeyEvent* event)
{
    // While suggestions show, these keys are theirs: Enter takes one, Escape closes them.
    if (completer_->popup()->isVisible()) {
        switch (event->key()) {
        case Qt::Key_Enter:
        case Qt::Key_Return:
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab: event->ignore(); return;
        default: break;
        }
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace vm
