#include "canvas/ideas/idea_generator.h"

#include "canvas/logo/logo_renderer.h"

// A first generator: the name centred in the default font. The layout
// families, palettes, pairings and symbol search replace it.
namespace vm::ideas {

struct IdeaGenerator::Library {
    QString datasrc;
    QString ideas;
};

QStringList moodNames()
{
    return {QStringLiteral("modern"), QStringLiteral("classic"), QStringLiteral("playful"),
            QStringLiteral("elegant"), QStringLiteral("bold"), QStringLiteral("minimal")};
}

QStringList colourFamilies()
{
    return {QStringLiteral("blue"), QStringLiteral("green"), QStringLiteral("red"), QStringLiteral("orange"),
            QStringLiteral("purple"), QStringLiteral("neutral")};
}

IdeaGenerator::IdeaGenerator(const QString& datasrcFolder, const QString& ideasFolder)
    : library_(std::make_unique<Library>(Library{datasrcFolder, ideasFolder}))
{
}

IdeaGenerator::~IdeaGenerator() = default;

std::vector<Idea> IdeaGenerator::ideas(const IdeaRequest& request, int first, int count) const
{
    std::vector<Idea> result;
    for (int number = first; number < first + count; ++number) {
        Idea idea;
        idea.number = number;
        idea.layout = QStringLiteral("wordmark");
        LogoElement name;
        name.kind = ElementKind::Text;
        name.text = request.name;
        name.fontFamily = QStringLiteral("DejaVu Sans");
        name.fontSize = 48;
        name.size = LogoRenderer::naturalTextSize(name);
        name.position = QPointF((idea.logo.stageSize.width() - name.size.width()) / 2,
                                (idea.logo.stageSize.height() - name.size.height()) / 2);
        idea.logo.elements.push_back(name);
        result.push_back(idea);
    }
    return result;
}

std::vector<Idea> IdeaGenerator::variations(const IdeaRequest& request, const Idea& idea, int count) const
{
    std::vector<Idea> result = ideas(request, idea.number, count);
    return result;
}

QStringList IdeaGenerator::keywordSuggestions(const QString&, int) const
{
    return {};
}

} // namespace vm::ideas
