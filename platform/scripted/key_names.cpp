#include "platform/scripted/key_names.h"

#include <QStringList>

namespace vm {

namespace {
constexpr int shiftBit = 1;
constexpr int ctrlBit = 2;

struct NamedKey {
    const char* name;
    int code;
};

// Virtual-key codes of the named keys a menu shortcut may use.
constexpr NamedKey namedKeys[] = {
    {"Backspace", 8}, {"Tab", 9},     {"Enter", 13},  {"Escape", 27}, {"Esc", 27},   {"Space", 32},
    {"PageUp", 33},   {"PageDown", 34}, {"End", 35},  {"Home", 36},   {"Left", 37},  {"Up", 38},
    {"Right", 39},    {"Down", 40},   {"Insert", 45}, {"Ins", 45},    {"Delete", 46}, {"Del", 46},
};

std::optional<int> keyCode(const QString& key)
{
    if (key.size() == 1) {
        const QChar c = key.at(0).toUpper();
        if ((c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            return c.unicode();
        return std::nullopt;
    }
    for (const NamedKey& named : namedKeys)
        if (key.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0)
            return named.code;
    if (key.size() <= 3 && key.startsWith(QLatin1Char('F'), Qt::CaseInsensitive)) {
        bool ok = false;
        const int number = key.mid(1).toInt(&ok);
        if (ok && number >= 1 && number <= 24 && !key.mid(1).startsWith(QLatin1Char('0')))
            return 111 + number; // F1 is 112
    }
    return std::nullopt;
}
} // namespace

std::optional<KeyChord> parseKeyName(const QString& name)
{
    const QStringList parts = name.split(QLatin1Char('+'));
    KeyChord chord;
    for (qsizetype index = 0; index + 1 < parts.size(); ++index) {
        const QString& modifier = parts[index];
        int bit = 0;
        if (modifier.compare(QLatin1String("Ctrl"), Qt::CaseInsensitive) == 0)
            bit = ctrlBit;
        else if (modifier.compare(QLatin1String("Shift"), Qt::CaseInsensitive) == 0)
            bit = shiftBit;
        if (bit == 0 || (chord.shift & bit))
            return std::nullopt;
        chord.shift |= bit;
    }
    const std::optional<int> code = keyCode(parts.last());
    if (!code)
        return std::nullopt;
    chord.keyCode = *code;
    return chord;
}

} // namespace vm
