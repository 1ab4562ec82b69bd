#pragma once

#include "canvas/ideas/idea_data.h"
#include "canvas/ideas/layouts.h"

#include <QString>
#include <QStringList>
#include <random>
#include <vector>

namespace vm::ideas {

// What a request may draw from once its moods, colour family and name are known.
struct Menu {
    std::vector<const LayoutFamily*> layouts;
    std::vector<const Palette*> palettes;
    std::vector<const Pairing*> pairings;
    QStringList symbols; // fitting symbols, best first; empty when nothing fits
};

// The choices one idea is made of.
struct Choice {
    const LayoutFamily* layout = nullptr;
    const Palette* palette = nullptr;
    const Pairing* pairing = nullptr;
    QString symbol;
    int variant = 0;
};

// The random stream of one idea: from the seed and the idea's number alone,
// so idea N is the same whether asked for alone or among others.
std::mt19937 streamFor(quint32 seed, int number, quint32 purpose = 0);

// The choices of idea number (1-based). Layout, palette and pairing follow
// orders shuffled by the seed and combine so that no two of the first
// layouts x palettes x pairings ideas share all three.
Choice choose(const Menu& menu, quint32 seed, int number);

// The menu items that suit the moods and colour family (all when none suit or none asked).
std::vector<const Palette*> palettesFor(const std::vector<Palette>& all, const QStringList& moods,
                                        const QString& family);
std::vector<const Pairing*> pairingsFor(const std::vector<Pairing>& all, const QStringList& moods);
std::vector<const LayoutFamily*> layoutsFor(const QString& name, const QString& tagline);

} // namespace vm::ideas
