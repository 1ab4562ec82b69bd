#pragma once

#include "platform/api/form.h"

#include <functional>

namespace vm {

class Language;

// The saving notice, shown while the canvas is asked for the logo.
class SavingForm : public Form {
public:
    explicit SavingForm(Language& language) : language_(language) {}
    QString name() const override { return QStringLiteral("frmSaving"); }
    FormContent content() const override;
    // Reads the language file again and takes the notice's text.
    void load();

private:
    Language& language_;
    QString message_;
};

// The busy window shown, modal, while a publish is under way.
class WaitForm : public Form {
public:
    QString name() const override { return QStringLiteral("frmWait"); }
    FormContent content() const override;
    // The close box and Esc ask the publish that opened the window whether to stop.
    void closeBox() override;
    void keyPress(int charCode) override;

    // Set by the publish while it waits.
    std::function<void()> stopRequested;
};

// A window that shows one picture from Images/ and closes with its close box.
class PictureForm : public Form {
public:
    PictureForm(QString formName, QString picturePath, QString caption)
        : formName_(std::move(formName)), picturePath_(std::move(picturePath)), caption_(std::move(caption)) {}
    QString name() const override { return formName_; }
    FormContent content() const override;

private:
    QString formName_;
    QString picturePath_;
    QString caption_;
};

} // namespace vm
