#pragma once

#include <QLineEdit>
#include <functional>

class QCompleter;
class QStringListModel;

namespace vm {

// Free words, separated by commas or spaces, with suggestions for the word
// being typed: the suggestion chosen replaces that word.
class KeywordField : public QLineEdit {
public:
    using Suggest = std::function<QStringList(const QString& prefix)>;
    explicit KeywordField(Suggest suggestions, QWidget* parent = nullptr);

    // The words as typed, each once, in order.
    QStringList keywords() const;
    QCompleter* suggestions() const { return completer_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString lastWord() const;
    void suggest();
    void take(const QString& suggestion);

    Suggest suggest_;
    QStringListModel* words_;
    QCompleter* completer_;
};

} // namespace vm
