#include "canvas/ideas/idea_choices.h"

#include "canvas/ideas/text_fit.h"

#include <algorithm>

namespace vm::ideas {

namespace {
// Purposes keep the streams of one seed apart.
constexpr quint32 orderStream = 0x0d3e, variantStream = 0x7a71;

// A shuffle of 0..count-1 of our own: the same on every standard library.
std::vector<int> shuffled(int count, std::mt19937& random)
{
    std::vector<int> order(size_t(std::max(count, 0)));
    for (int index = 0; index < count; ++index)
        order[size_t(index)] = index;
    for (int index = count - 1; index > 0; --index)
        std::swap(order[size_t(index)], order[size_t(random() % quint32(index + 1))]);
    return order;
}

bool sharesMood(const QStringList& moods, const QStringList& wanted)
{
    return std::any_of(wanted.begin(), wanted.end(), [&](const QString& mood) { return moods.contains(mood.toLower()); });
}
} // namespace

std::mt19937 streamFor(quint32 seed, int number, quint32 purpose)
{
    std::seed_seq sequence{seed, quint32(number), purpose, 0x1dea5u};
    return std::mt19937(sequence);
}

Choice choose(const Menu& menu, quint32 seed, int number)
{
    Choice choice;
    if (menu.layouts.empty() || menu.palettes.empty() || menu.pairings.empty())
        return choice;
    std::mt19937 orders = streamFor(seed, 0, orderStream);
    const int layouts = int(menu.layouts.size()), palettes = int(menu.palettes.size()),
              pairings = int(menu.pairings.size());
    const std::vector<int> layoutOrder = shuffled(layouts, orders);
    const std::vector<int> paletteOrder = shuffled(palettes, orders);
    const std::vector<int> pairingOrder = shuffled(pairings, orders);
    // Mixed radix with each digit shifted by the ones before: every step changes
    // layout and palette, and the triple repeats only after all combinations.
    const long long index = number - 1;
    const long long layout = index % layouts;
    const long long rest = index / layouts;
    // Consecutive ideas stride through the palettes, so sixty ideas show most of them.
    const long long stride = std::max(1, palettes / layouts);
    const long long palette = (rest + layout * stride) % palettes;
    const long long pairing = (rest / palettes + layout + palette) % pairings;
    choice.layout = menu.layouts[size_t(layoutOrder[size_t(layout)])];
    choice.palette = menu.palettes[size_t(paletteOrder[size_t(palette)])];
    choice.pairing = menu.pairings[size_t(pairingOrder[size_t(pairing)])];

    std::mt19937 own = streamFor(seed, number, variantStream);
    choice.variant = int(own() % 6);
    if (!menu.symbols.isEmpty() && choice.layout->showsSymbol) {
        // The best symbols come round most often: the first of them half the time.
        const int count = int(menu.symbols.size());
        const int pick = (own() % 2) ? int((index / layouts) % count) : int(own() % quint32(std::min(count, 3)));
        choice.symbol = menu.symbols[pick];
    }
    return choice;
}

std::vector<const Palette*> palettesFor(const std::vector<Palette>& all, const QStringList& moods, const QString& family)
{
    std::vector<const Palette*> chosen;
    for (const Palette& palette : all)
        if ((moods.isEmpty() || sharesMood(palette.moods, moods))
            && (family.isEmpty() || palette.family.compare(family, Qt::CaseInsensitive) == 0))
            chosen.push_back(&palette);
    // A family first: a colour asked for matters more than a mood.
    if (chosen.empty() && !family.isEmpty())
        for (const Palette& palette : all)
            if (palette.family.compare(family, Qt::CaseInsensitive) == 0)
                chosen.push_back(&palette);
    if (chosen.empty())
        for (const Palette& palette : all)
            chosen.push_back(&palette);
    return chosen;
}

std::vector<const Pairing*> pairingsFor(const std::vector<Pairing>& all, const QStringList& moods)
{
    std::vector<const Pairing*> chosen;
    for (const Pairing& pairing : all)
        if (moods.isEmpty() || sharesMood(pairing.moods, moods))
            chosen.push_back(&pairing);
    if (chosen.empty())
        for (const Pairing& pairing : all)
            chosen.push_back(&pairing);
    return chosen;
}

std::vector<const LayoutFamily*> layoutsFor(const QString& name, const QString& tagline)
{
    std::vector<const LayoutFamily*> chosen;
    const qsizetype length = name.simplified().size();
    const bool bendable = readsLetterByLetter(name) && readsLetterByLetter(tagline);
    for (const LayoutFamily& family : layoutFamilies())
        if ((family.maxNameLength == 0 || length <= family.maxNameLength) && length >= family.minNameLength
            && (bendable || !family.bendsText))
            chosen.push_back(&family);
    return chosen;
}

} // namespace vm::ideas
