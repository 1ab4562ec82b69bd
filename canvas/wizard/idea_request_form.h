#pragma once

#include "canvas/ideas/idea_generator.h"

#include <QFrame>
#include <QList>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace vm {

class KeywordField;

// What the ideas window asks: the name, an optional tagline, keywords with
// suggestions, moods as toggles and a colour family; "Show ideas" (or Enter
// in a field) asks for ideas.
class IdeaRequestForm : public QFrame {
public:
    IdeaRequestForm(KeywordField* keywords, QWidget* parent = nullptr);

    ideas::IdeaRequest request() const;
    void fill(const QString& name, const QString& tagline, const QString& keywords, const QStringList& moods,
              const QString& colourFamily);

    QLineEdit* nameField() const { return name_; }
    QLineEdit* taglineField() const { return tagline_; }
    KeywordField* keywordField() const { return keywords_; }
    QPushButton* showButton() const { return show_; }
    QPushButton* moodButton(const QString& mood) const;
    QComboBox* colourBox() const { return colour_; }

    // Asked with a name; without one the name field says what it needs.
    std::function<void()> onSubmitted;

private:
    void submit();

    QLineEdit* name_;
    QLineEdit* tagline_;
    KeywordField* keywords_;
    QList<QPushButton*> moods_;
    QComboBox* colour_;
    QPushButton* show_;
};

} // namespace vm
