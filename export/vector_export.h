#pragma once

#include "canvas/logo/logo_renderer.h"

#include <QByteArray>
#include <QColor>
#include <QSize>
#include <QString>

namespace vm::vector_export {

// The stage as vector pages painted through the one renderer: shapes stay
// paths, colours stay exact, text stays text (its fonts embedded in PDF and
// EPS) unless outlines asks for every text as filled outlines, which look the
// same where its fonts are missing; pictures are embedded.
// size is the page in pixels (points for PDF and EPS); an invalid background
// leaves the page without one (SVG and PDF).

QByteArray svg(const LogoDocument& logo, const LogoRenderer& renderer, const QSize& size, const QColor& background,
               const QString& title, bool outlines);
QByteArray pdf(const LogoDocument& logo, const LogoRenderer& renderer, const QSize& size, const QColor& background,
               const QString& title, bool outlines);
// Written through the printing's EPS writer (Ghostscript), atomically. An
// EPS page is paper: without a background it is white.
bool writeEps(const QString& path, const LogoDocument& logo, const LogoRenderer& renderer, const QSize& size,
              const QColor& background, bool outlines, QString* error);

} // namespace vm::vector_export
