#pragma once

#include "platform/api/form.h"

namespace vm {

class ErrorTrap;
class Language;

// The program's own message dialogs: a message and one to three buttons,
// each a caption label lying over an image. Enter clicks imgOK; no other key
// does anything (Escape does not cancel).
class MessageForm : public Form {
public:
    MessageForm(FormPresenter& presenter, Language& language, ErrorTrap& trap);

    QString message() const { return message_; }
    // Setting the message loads the dialog first, as the wrappers rely on.
    void setMessage(const QString& message);

    FormContent content() const override;
    void click(const QString& control) override;
    void keyPress(int charCode) override;
    void closeBox() override;

protected:
    struct Button {
        QString image;
        QString label;
    };
    virtual QList<Button> buttons() const = 0;
    virtual void imageClicked(const QString& image) = 0;
    // Dialog-specific loading: the question dialogs read the language file again.
    virtual void reloadLanguage() {}
    void unloadSelf();

    FormPresenter& presenter_;
    Language& language_;
    ErrorTrap& trap_;

private:
    void load();

    QString message_;
    QStringList captions_;
    bool loaded_ = false;
};

class AlertForm : public MessageForm {
public:
    using MessageForm::MessageForm;
    QString name() const override { return QStringLiteral("frmAlert"); }

protected:
    QList<Button> buttons() const override;
    void imageClicked(const QString& image) override;
};

// Yes stores all bits set (255), No stores 0.
class MessageBoxYNForm : public MessageForm {
public:
    using MessageForm::MessageForm;
    QString name() const override { return QStringLiteral("frmMessageBoxYN"); }
    int GetReturn() const { return result_; }
    void setGetReturn(int value) { result_ = value; }

protected:
    QList<Button> buttons() const override;
    void imageClicked(const QString& image) override;
    void reloadLanguage() override;

private:
    int result_ = 0; // kept across loads: a dialog closed otherwise answers as last time
};

// Yes 1, No 0, Cancel 2.
class MessageBoxYNCForm : public MessageForm {
public:
    using MessageForm::MessageForm;
    QString name() const override { return QStringLiteral("frmMessageBoxYNC"); }
    int GetReturn() const { return result_; }
    void setGetReturn(int value) { result_ = value; }

protected:
    QList<Button> buttons() const override;
    void imageClicked(const QString& image) override;
    void reloadLanguage() override;

private:
    int result_ = 0;
};

} // namespace vm
