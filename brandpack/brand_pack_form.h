#pragma once

#include "brandpack/brand_pack_seams.h"
#include "export/brand_pack.h"
#include "platform/api/form.h"

#include <QObject>
#include <memory>

namespace vm {


// The brand pack's progress window: it writes the pack one file per turn of
// the event loop while it is shown, says which file it is on, and offers
// Cancel, which stops before the next file and leaves the folder as it was
// (the pack takes the folder's place only when complete). It unloads itself
// when the pack ends.
class BrandPackForm : public Form {
public:
    enum class Outcome { NotRun, Finished, Cancelled, Failed };

    explicit BrandPackForm(const BrandPackSeams& host);
    ~BrandPackForm() override;

    QString name() const override { return QStringLiteral("frmBrandPack"); }
    FormContent content() const override;
    void onLoad() override;
    void click(const QString& control) override;
    void closeBox() override { cancel(); }

    // The pack the next showing writes; the form owns it from now on.
    void prepare(std::unique_ptr<BrandPack> pack);
    void cancel() { cancelled_ = true; }

    Outcome outcome() const { return outcome_; }
    const BrandPack* pack() const { return pack_.get(); }

private:
    void scheduleStep();
    void step();
    void finish(Outcome outcome);

    BrandPackSeams host_;
    std::unique_ptr<BrandPack> pack_;
    QObject timerContext_; // pending steps die with the form
    bool cancelled_ = false;
    Outcome outcome_ = Outcome::NotRun;
};

} // namespace vm
