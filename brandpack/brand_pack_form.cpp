#include "brandpack/brand_pack_form.h"


#include <QTimer>

namespace vm {

BrandPackForm::BrandPackForm(const BrandPackSeams& host) : host_(host) {}
BrandPackForm::~BrandPackForm() = default;

FormContent BrandPackForm::content() const
{
    FormContent content;
    content.caption = QStringLiteral("Publish Brand Pack");
    if (pack_ && !pack_->finished())
        content.message = QStringLiteral("Writing %1 (%2 of %3)...")
                              .arg(pack_->nextFile())
                              .arg(pack_->stepsDone() + 1)
                              .arg(pack_->stepCount());
    else
        content.message = QStringLiteral("Writing the brand pack...");
    content.buttons = {{QStringLiteral("imgCancel"), QStringLiteral("cmdCancel"),
                        host_.language.GetControlCaptions(QStringLiteral("cmdCancel"))}};
    content.busyAnimation = true;
    return content;
}

void BrandPackForm::prepare(std::unique_ptr<BrandPack> pack)
{
    pack_ = std::move(pack);
    cancelled_ = false;
    outcome_ = Outcome::NotRun;
}

void BrandPackForm::onLoad()
{
    if (!pack_) {
        finish(Outcome::Failed);
        return;
    }
    scheduleStep();
}

void BrandPackForm::click(const QString& control)
{
    if (control == QLatin1String("imgCancel") || control == QLatin1String("cmdCancel"))
        cancel();
}

void BrandPackForm::scheduleStep()
{
    // One file per turn, so the Cancel button and repaints get through in between.
    QTimer::singleShot(0, &timerContext_, [this] { step(); });
}

void BrandPackForm::step()
{
    if (!host_.platform.forms.isLoaded(*this))
        return;
    if (cancelled_) {
        finish(Outcome::Cancelled);
        return;
    }
    bool written = false;
    host_.trap.run(QStringLiteral("frmBrandPack\\WriteFile"), [&] { written = pack_->runNextStep(); });
    if (!written) {
        finish(Outcome::Failed);
        return;
    }
    if (pack_->finished()) {
        finish(Outcome::Finished);
        return;
    }
    if (presenter_)
        presenter_->refresh(*this);
    scheduleStep();
}

void BrandPackForm::finish(Outcome outcome)
{
    outcome_ = outcome;
    // A stopped pack leaves the folder as it was, not half replaced.
    if (pack_ && outcome != Outcome::Finished)
        pack_->abandon();
    host_.platform.forms.unload(*this);
}

} // namespace vm
