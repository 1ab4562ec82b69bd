#include "platform/api/trace.h"
#include "shell/language.h"
#include "shell/log/error_log.h"
#include "shell/log/error_trap.h"
#include "shell/message_forms.h"
#include "shell/views/image_button.h"
#include "shell/views/qt_form_presenter.h"
#include "tests/unit/views/view_fakes.h"

#include <QLabel>
#include <QTest>
#include <QTimer>
#include <functional>

namespace vm::test {
namespace {

class MessageDialogViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        language.LoadLanguage(0);
        form.setMessage(QStringLiteral("Do you want to save the changes to your logo?"));
    }

    // Shows the dialog modally and acts on it from inside its loop. A dialog
    // that fails to close is unloaded after a while so the test reports it.
    bool answerModal(const std::function<void(QWidget* dialog)>& action)
    {
        bool stuck = false;
        QTimer::singleShot(0, [&] { action(presenter.widgetOf(form)); });
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&] {
            stuck = true;
            presenter.unload(form);
        });
        guard.start(3000);
        presenter.showModal(form, nullptr);
        return !stuck;
    }

    QTemporaryDir root;
    QString folder = makeProgramFolder(root);
    Trace trace;
    ErrorLog log{folder, trace};
    ErrorTrap trap{log};
    FakeSystemDialogs dialogs;
    Language language{folder, trap, dialogs};
    WindowRegistry windows;
    QtFormPresenter presenter{windows};
    MessageBoxYNCForm form{presenter, language, trap};
};

TEST_F(MessageDialogViewTest, CaptionLabelAnswersAndEndsTheModalLoop)
{
    WindowHandle shownAs = 0;
    QStringList captions;
    QString message;
    ASSERT_TRUE(answerModal([&](QWidget* dialog) {
        ASSERT_NE(dialog, nullptr);
        shownAs = windows.findWindow(QStringLiteral("thunderrt6formdc"), QStringLiteral("Vantamorph"));
        for (const char* label : {"cmdYes", "cmdNo", "cmdCancel"})
            if (auto* caption = dialog->findChild<QLabel*>(QLatin1String(label)))
                captions.append(caption->text());
        message = dialog->findChild<QLabel*>(QStringLiteral("lblMessage"))->text();
        QTest::mouseClick(dialog->findChild<QLabel*>(QStringLiteral("cmdNo")), Qt::LeftButton);
    }));
    EXPECT_EQ(form.GetReturn(), 0);
    EXPECT_EQ(captions, (QStringList{"Yes", "No", "Cancel"}));
    EXPECT_EQ(message, form.message());
    EXPECT_NE(shownAs, 0u);
    EXPECT_FALSE(windows.exists(shownAs));
    EXPECT_FALSE(presenter.isLoaded(form));
    EXPECT_EQ(form.window, 0u);
}

TEST_F(MessageDialogViewTest, ImageRimOutsideTheCaptionClicksTheImage)
{
    form.setGetReturn(1);
    ASSERT_TRUE(answerModal([&](QWidget* dialog) {
        auto* image = dialog->findChild<ImageButton*>(QStringLiteral("imgCancel"));
        ASSERT_NE(image, nullptr);
        ASSERT_FALSE(image->captionLabel()->geometry().contains(QPoint(3, 3)));
        QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(3, 3));
    }));
    EXPECT_EQ(form.GetReturn(), 2);
}

TEST_F(MessageDialogViewTest, OnlyEnterAndTheCloseBoxEndItAndNoChildTakesFocus)
{
    form.setGetReturn(7);
    bool openAfterKeys = false;
    Qt::FocusPolicy strongest = Qt::NoFocus;
    ASSERT_TRUE(answerModal([&](QWidget* dialog) {
        for (QWidget* child : dialog->findChildren<QWidget*>())
            if (child->focusPolicy() != Qt::NoFocus)
                strongest = child->focusPolicy();
        QTest::keyClick(dialog, Qt::Key_Escape);
        QTest::keyClick(dialog, Qt::Key_Y);
        QTest::keyClick(dialog, Qt::Key_Space);
        QCoreApplication::processEvents();
        openAfterKeys = presenter.isLoaded(form) && dialog->isVisible();
        dialog->close(); // the window's close box
    }));
    EXPECT_TRUE(openAfterKeys);
    EXPECT_EQ(strongest, Qt::NoFocus);
    EXPECT_EQ(form.GetReturn(), 7); // closed without an answer
    ASSERT_TRUE(answerModal([&](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Return); }));
    EXPECT_EQ(form.GetReturn(), 1);
}

TEST_F(MessageDialogViewTest, RefreshShowsTheNewMessageAndUnknownFormsAreHarmless)
{
    presenter.unload(form); // never shown
    presenter.hide(form);
    presenter.refresh(form);
    ASSERT_TRUE(answerModal([&](QWidget* dialog) {
        form.setMessage(QStringLiteral("Second message"));
        presenter.refresh(form);
        EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("lblMessage"))->text(), QStringLiteral("Second message"));
        EXPECT_EQ(dialog->findChildren<ImageButton*>().size(), 3);
        dialog->grab().save(QStringLiteral(VM_VIEWS_SHOT_DIR "/views_message_dialog.png"));
        presenter.unload(form);
        presenter.unload(form); // twice is harmless
    }));
}

} // namespace
} // namespace vm::test
