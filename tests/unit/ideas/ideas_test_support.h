#pragma once

#include "canvas/ideas/composition.h"
#include "canvas/ideas/idea_generator.h"

#include <QDir>
#include <QSet>

namespace vm::ideas::test {

// One generator for all tests: reading the catalogue and the fonts takes a moment.
inline const IdeaGenerator& generator()
{
    static const IdeaGenerator shared(QStringLiteral(VM_DIST_DIR "/datasrc"), QStringLiteral(VM_DIST_DIR "/ideas"));
    return shared;
}

inline IdeaRequest request(const QString& name, const QString& tagline = {}, const QStringList& keywords = {})
{
    IdeaRequest result;
    result.name = name;
    result.tagline = tagline;
    result.keywords = keywords;
    return result;
}

inline const LogoElement* withRole(const Idea& idea, const QString& role)
{
    for (const LogoElement& element : idea.logo.elements)
        if (element.name == role)
            return &element;
    return nullptr;
}

// Colours a viewer sees: the background and every painted fill, outline, text and symbol.
inline QSet<QRgb> coloursOf(const LogoDocument& logo)
{
    QSet<QRgb> colours{logo.background.rgb()};
    for (const LogoElement& element : logo.elements) {
        if (element.color.alpha() > 0)
            colours.insert(element.color.rgb());
        if (element.kind == ElementKind::Shape && element.strokeWidth > 0)
            colours.insert(element.strokeColor.rgb());
    }
    return colours;
}

} // namespace vm::ideas::test
