#include "shell/info_forms.h"

#include "shell/language.h"

namespace vm {

void SavingForm::load()
{
    language_.LoadLanguage(language_.languageIndex());
    message_ = language_.GetControlCaptions(QStringLiteral("lblSavingMessage"));
}

FormContent SavingForm::content() const
{
    FormContent content;
    content.caption = QStringLiteral("Vantamorph");
    content.message = message_;
    return content;
}

FormContent WaitForm::content() const
{
    FormContent content;
    content.caption = QStringLiteral("Publishing Logo...");
    content.message = QStringLiteral("Publishing Logo...");
    content.busyAnimation = true;
    return content;
}

void WaitForm::closeBox()
{
    if (stopRequested)
        stopRequested();
}

void WaitForm::keyPress(int charCode)
{
    constexpr int escapeKey = 27;
    if (charCode == escapeKey && stopRequested)
        stopRequested();
}

FormContent PictureForm::content() const
{
    FormContent content;
    content.caption = caption_;
    content.picturePath = picturePath_;
    return content;
}

} // namespace vm
