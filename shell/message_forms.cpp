#include "shell/message_forms.h"

#include "shell/language.h"
#include "shell/log/error_trap.h"

namespace vm {

namespace {
constexpr int enterKey = 13;
const QString imgOK = QStringLiteral("imgOK");
const QString imgNo = QStringLiteral("imgNo");
const QString imgCancel = QStringLiteral("imgCancel");
} // namespace

MessageForm::MessageForm(FormPresenter& presenter, Language& language, ErrorTrap& trap)
    : presenter_(presenter), language_(language), trap_(trap)
{
}

void MessageForm::load()
{
    trap_.run(name() + QStringLiteral("\\Form_Load"), [&] {
        loaded_ = true;
        reloadLanguage();
        captions_.clear();
        for (const Button& button : buttons())
            captions_.append(language_.GetControlCaptions(button.label));
    });
}

void MessageForm::setMessage(const QString& message)
{
    if (!loaded_)
        load();
    message_ = message;
}

FormContent MessageForm::content() const
{
    FormContent content;
    content.caption = QStringLiteral("Vantamorph");
    content.message = message_;
    const QList<Button> all = buttons();
    for (qsizetype index = 0; index < all.size(); ++index)
        content.buttons.append({all[index].image, all[index].label, captions_.value(index)});
    return content;
}

void MessageForm::click(const QString& control)
{
    // A caption label does exactly what the image under it does.
    for (const Button& button : buttons()) {
        if (control == button.label) {
            click(button.image);
            return;
        }
        if (control == button.image) {
            trap_.run(name() + QStringLiteral("\\") + button.image + QStringLiteral("_Click"),
                      [&] { imageClicked(button.image); });
            return;
        }
    }
}

void MessageForm::keyPress(int charCode)
{
    if (charCode == enterKey)
        click(imgOK);
}

void MessageForm::closeBox()
{
    unloadSelf();
}

void MessageForm::unloadSelf()
{
    loaded_ = false;
    presenter_.unload(*this);
}

QList<MessageForm::Button> AlertForm::buttons() const
{
    return {{imgOK, QStringLiteral("cmdOk")}};
}

void AlertForm::imageClicked(const QString& image)
{
    if (image == imgOK)
        unloadSelf();
}

QList<MessageForm::Button> MessageBoxYNForm::buttons() const
{
    return {{imgOK, QStringLiteral("cmdYes")}, {imgCancel, QStringLiteral("cmdNo")}};
}

void MessageBoxYNForm::reloadLanguage()
{
    language_.LoadLanguage(language_.languageIndex());
}

void MessageBoxYNForm::imageClicked(const QString& image)
{
    result_ = image == imgOK ? 255 : 0;
    unloadSelf();
}

QList<MessageForm::Button> MessageBoxYNCForm::buttons() const
{
    return {{imgOK, QStringLiteral("cmdYes")}, {imgNo, QStringLiteral("cmdNo")}, {imgCancel, QStringLiteral("cmdCancel")}};
}

void MessageBoxYNCForm::reloadLanguage()
{
    language_.LoadLanguage(language_.languageIndex());
}

void MessageBoxYNCForm::imageClicked(const QString& image)
{
    result_ = image == imgOK ? 1 : image == imgNo ? 0 : 2;
    unloadSelf();
}

} // namespace vm
