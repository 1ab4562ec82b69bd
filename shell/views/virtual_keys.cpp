#include "shell/views/virtual_keys.h"

namespace vm::virtual_keys {

namespace {
struct NamedKey {
    int virtualKey;
    int qtKey;
    const char* name;
};

constexpr NamedKey namedKeys[] = {
    {8, Qt::Key_Backspace, "Backspace"}, {9, Qt::Key_Tab, "Tab"},        {13, Qt::Key_Return, "Enter"},
    {13, Qt::Key_Enter, "Enter"},        {27, Qt::Key_Escape, "Esc"},     {32, Qt::Key_Space, "Space"},
    {33, Qt::Key_PageUp, "PgUp"},        {34, Qt::Key_PageDown, "PgDn"},  {35, Qt::Key_End, "End"},
    {36, Qt::Key_Home, "Home"},          {37, Qt::Key_Left, "Left"},      {38, Qt::Key_Up, "Up"},
    {39, Qt::Key_Right, "Right"},        {40, Qt::Key_Down, "Down"},      {45, Qt::Key_Insert, "Ins"},
    {46, Qt::Key_Delete, "Del"},
};

// Shift with a digit on a US keyboard: Qt reports the symbol, Windows the digit.
constexpr char shiftedDigits[] = ")!@#$%^&*(";
} // namespace

int fromQtKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey; // the same codes: 65..90
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return (modifiers & Qt::KeypadModifier) ? 96 + (qtKey - Qt::Key_0) : qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 112 + (qtKey - Qt::Key_F1);
    for (const NamedKey& named : namedKeys)
        if (named.qtKey == qtKey)
            return named.virtualKey;
    if ((modifiers & Qt::ShiftModifier) && qtKey > 0 && qtKey < 128) {
        for (int digit = 0; digit < 10; ++digit)
            if (shiftedDigits[digit] == qtKey)
                return '0' + digit;
    }
    return 0;
}

int shiftMask(Qt::KeyboardModifiers modifiers)
{
    int mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= 1;
    if (modifiers & Qt::ControlModifier)
        mask |= 2;
    if (modifiers & Qt::AltModifier)
        mask |= 4;
    return mask;
}

QString shortcutText(int shift, int keyCode)
{
    QString key;
    if ((keyCode >= 65 && keyCode <= 90) || (keyCode >= 48 && keyCode <= 57))
        key = QChar(keyCode);
    else if (keyCode >= 96 && keyCode <= 105)
        key = QStringLiteral("Num ") + QChar('0' + keyCode - 96);
    else if (keyCode >= 112 && keyCode <= 135)
        key = QStringLiteral("F") + QString::number(keyCode - 111);
    else
        for (const NamedKey& named : namedKeys)
            if (named.virtualKey == keyCode) {
                key = QString::fromLatin1(named.name);
                break;
            }
    if (key.isEmpty())
        return QString();
    QString text;
    if (shift & 2)
        text += QStringLiteral("Ctrl+");
    if (shift & 4)
        text += QStringLiteral("Alt+");
    if (shift & 1)
        text += QStringLiteral("Shift+");
    return text + key;
}

} // namespace vm::virtual_keys
