#pragma once

#include "canvas/logo/logo_document.h"

#include <QStringList>

namespace vm {

// The looks the new-logo wizard offers.
QStringList wizardStyles();
// A finished starting logo: the company name, the slogan under it and a
// symbol of the style, laid out on the default stage.
LogoDocument wizardLogo(const QString& company, const QString& slogan, const QString& style);

} // namespace vm
