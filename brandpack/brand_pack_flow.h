#pragma once

#include "brandpack/brand_pack_form.h"
#include "brandpack/brand_pack_seams.h"
#include "export/canvas_logo.h"

namespace vm {

// Project > Publish Brand Pack...: the user names a folder (a new one, or one
// to fill), the progress window writes the pack, and the outcome is told.
class BrandPackFlow {
public:
    static const QString menuKey;

    BrandPackFlow(const BrandPackSeams& host, CurrentLogo currentLogo);

    void mnuBrandPack();
    BrandPackForm& form() { return form_; }

private:
    void tell(const QString& message);

    BrandPackSeams host_;
    CurrentLogo currentLogo_;
    BrandPackForm form_;
};

} // namespace vm
