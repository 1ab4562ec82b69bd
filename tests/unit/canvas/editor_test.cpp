#include "canvas/reference/logo_editor.h"
#include "canvas/reference/wizard_logo.h"
#include "canvas_test_support.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace vm::test {
namespace {

QStringList texts(const LogoDocument& logo)
{
    QStringList found;
    for (const LogoElement& element : logo.elements)
        found.append(element.kind == ElementKind::Text ? element.text : element.symbol);
    return found;
}

TEST(LogoEditor, EveryEditIsOneUndoStepAndLoadingIsNone)
{
    LogoEditor editor;
    QSignalSpy edited(&editor, &LogoEditor::edited);
    const quint64 a = editor.addText(QStringLiteral("A"));
    editor.addSymbol(QStringLiteral("ClipArts/Geometric/star.svg"), Qt::red);
    editor.select({a});
    editor.setColor(Qt::green);
    editor.setText(a, QStringLiteral("AB"));
    EXPECT_EQ(edited.count(), 4);
    EXPECT_EQ(editor.undoStack().count(), 4);

    editor.undo();
    EXPECT_EQ(editor.find(a)->text, QStringLiteral("A"));
    editor.undo();
    EXPECT_NE(editor.find(a)->color, QColor(Qt::green));
    editor.undo();
    editor.undo();
    EXPECT_TRUE(editor.document().elements.empty());
    EXPECT_EQ(edited.count(), 8); // an undo is a change as well

    editor.load(everyKindLogo());
    EXPECT_EQ(edited.count(), 8);
    EXPECT_EQ(editor.undoStack().count(), 0);
    editor.undo(); // nothing to undo after a load
    EXPECT_EQ(editor.document(), everyKindLogo());
}

TEST(LogoEditor, EditsThatChangeNothingLeaveNoStep)
{
    LogoEditor editor;
    const quint64 a = editor.addText(QStringLiteral("A"));
    const int steps = editor.undoStack().count();
    editor.setText(a, QStringLiteral("A"));
    editor.select({});
    editor.deleteSelected();
    editor.bringForward();
    editor.paste();
    editor.groupAll(); // one element only
    editor.setText(999, QStringLiteral("nobody"));
    EXPECT_EQ(editor.undoStack().count(), steps);
}

TEST(LogoEditor, OrderCutCopyPasteAndDelete)
{
    LogoEditor editor;
    const quint64 a = editor.addText(QStringLiteral("A"));
    const quint64 b = editor.addText(QStringLiteral("B"));
    const quint64 c = editor.addText(QStringLiteral("C"));
    editor.select({a});
    editor.bringForward();
    EXPECT_EQ(texts(editor.document()), QStringList({"B", "A", "C"}));
    editor.bringForward();
    editor.bringForward(); // already on top
    EXPECT_EQ(texts(editor.document()), QStringList({"B", "C", "A"}));
    editor.select({c});
    editor.sendBackward();
    EXPECT_EQ(texts(editor.document()), QStringList({"C", "B", "A"}));

    editor.select({b});
    editor.cut();
    EXPECT_EQ(texts(editor.document()), QStringList({"C", "A"}));
    editor.paste();
    editor.paste();
    ASSERT_EQ(texts(editor.document()), QStringList({"C", "A", "B", "B"}));
    const auto& pasted = editor.document().elements;
    EXPECT_NE(pasted[2].id, pasted[3].id);
    EXPECT_NE(pasted[2].position, pasted[3].position); // each paste lands beside the last
    EXPECT_EQ(editor.selection(), QSet<quint64>({pasted[3].id}));
    editor.deleteSelected();
    EXPECT_EQ(texts(editor.document()), QStringList({"C", "A", "B"}));
}

TEST(LogoEditor, GroupAllKeepsTheLookAndUngroupRestoresTheElements)
{
    LogoEditor editor;
    editor.load(wizardLogo(QStringLiteral("Acme"), QStringLiteral("Since 1900"), QStringLiteral("Nature")));
    const LogoDocument before = editor.document();
    LogoRenderer renderer({sourceDataFolder(), QString()});
    const QImage look = renderer.render(before, 1, Qt::white);
    editor.groupAll();
    ASSERT_EQ(editor.document().elements.size(), 1u);
    EXPECT_EQ(editor.document().elements[0].kind, ElementKind::Group);
    EXPECT_EQ(renderer.render(editor.document(), 1, Qt::white), look);
    editor.ungroupSelected();
    EXPECT_EQ(editor.document(), before);
    EXPECT_EQ(editor.selection().size(), 3);
    editor.undo();
    editor.undo();
    EXPECT_EQ(editor.document(), before);
}

TEST(LogoEditor, TextChangesKeepTheStretchAndFontChangesRefitTheBox)
{
    LogoEditor editor;
    const quint64 id = editor.addText(QStringLiteral("Wide"));
    const LogoElement* text = editor.find(id);
    editor.setGeometry(id, text->position, QSizeF(text->size.width() * 2, text->size.height()), 30);
    const double stretch = editor.find(id)->size.width() / LogoRenderer::naturalTextSize(*editor.find(id)).width();
    editor.setText(id, QStringLiteral("Wider text"));
    text = editor.find(id);
    EXPECT_NEAR(text->size.width() / LogoRenderer::naturalTextSize(*text).width(), stretch, 1e-6);
    EXPECT_EQ(text->rotation, 30);
    editor.setFontSize(60);
    EXPECT_EQ(editor.find(id)->size, LogoRenderer::naturalTextSize(*editor.find(id)));
    editor.setBold(true);
    editor.setItalic(true);
    editor.setFontFamily(QStringLiteral("DejaVu Serif"));
    EXPECT_TRUE(editor.find(id)->bold && editor.find(id)->italic);
    EXPECT_EQ(editor.find(id)->fontFamily, QStringLiteral("DejaVu Serif"));
}

} // namespace
} // namespace vm::test
