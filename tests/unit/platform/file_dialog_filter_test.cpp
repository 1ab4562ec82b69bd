#include "platform_test_support.h"

#include "platform/linux/file_dialog_filter.h"

#include <gtest/gtest.h>

namespace vm {
namespace {

TEST(FileDialogFilter, WindowsPairsBecomeQtNameFilters)
{
    const std::vector<std::pair<QString, QStringList>> cases = {
        {"Vantamorph Logos (*.vmp)| *.vmp", {"Vantamorph Logos (*.vmp)"}},
        {"Pictures|*.bmp;*.jpg; *.gif|All Files (*.*)|*.*|", {"Pictures (*.bmp *.jpg *.gif)", "All Files (*)"}},
        // Qt filters by what the parentheses say, so they must show the real pattern.
        {"Logos (*.old)|*.vmp", {"Logos (*.vmp)"}},
        {"|*.eps", {"*.eps (*.eps)"}},
        {"Logos (*.vmp)", {"Logos (*.vmp)"}},
        {"Logos|", {"Logos"}},
        {"", {}},
        {"|||", {}},
    };
    for (const auto& [windows, qt] : cases)
        EXPECT_EQ(qtNameFilters(windows), qt) << windows.toStdString();
    // Stray parentheses and separators still give one entry per pair.
    EXPECT_EQ(qtNameFilters("a (b|c) (|)").size(), 2);
}

} // namespace
} // namespace vm
