#pragma once

#include "export/brand_pack.h"

#include <QByteArray>

namespace vm {

// The brand pack's own page: every file with a preview, its pixel size and
// byte size, the logo's colours as hex codes and the fonts it uses.
QByteArray brandPage(const QList<BrandFile>& files, const QStringList& palette, const QStringList& fonts);

} // namespace vm
