#include "tests/unit/shell/host_fixture.h"

namespace vm::test {
namespace {

class MessageDialogsTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        makeHost();
        host->language.LoadLanguage(0);
    }
    MessageDialogs& messages() { return host->messages; }
};

TEST_F(MessageDialogsTest, YesNoAnswersAndTheCloseBoxKeepsThePreviousOne)
{
    forms.clicks = {QStringLiteral("imgOK"), QStringLiteral("cmdNo"), QStringLiteral("imgCancel"), QStringLiteral("cmdYes")};
    EXPECT_TRUE(messages().MessageBoxYN(QStringLiteral("Save?"), &host->mainForm));
    EXPECT_EQ(messages().yesNoForm().GetReturn(), 255);
    EXPECT_FALSE(messages().MessageBoxYN(QStringLiteral("Save?"), &host->mainForm));
    EXPECT_EQ(messages().yesNoForm().GetReturn(), 0);
    EXPECT_FALSE(messages().MessageBoxYN(QStringLiteral("Save?"), &host->mainForm));
    EXPECT_TRUE(messages().MessageBoxYN(QStringLiteral("Save?"), &host->mainForm));
    // No queued click: the fake closes the dialog with its close box.
    EXPECT_TRUE(messages().MessageBoxYN(QStringLiteral("Save?"), &host->mainForm));
    EXPECT_TRUE(loggedLabels().isEmpty());
    EXPECT_EQ(forms.shown.last().message, QStringLiteral("Save?"));
    EXPECT_EQ(forms.shown.last().owner, QStringLiteral("frmMain"));
}

// Enter and Escape are pressed in the dialog views' tests.
TEST_F(MessageDialogsTest, YesNoCancelAnswersAndTheCloseBox)
{
    forms.clicks = {QStringLiteral("cmdYes"), QStringLiteral("imgNo"), QStringLiteral("cmdCancel")};
    EXPECT_EQ(messages().MessageBoxYNCancel(QStringLiteral("Exit?"), &host->mainForm), 1);
    EXPECT_EQ(messages().MessageBoxYNCancel(QStringLiteral("Exit?"), &host->mainForm), 0);
    EXPECT_EQ(messages().MessageBoxYNCancel(QStringLiteral("Exit?"), &host->mainForm), 2);
    EXPECT_EQ(messages().MessageBoxYNCancel(QStringLiteral("Exit?"), &host->mainForm), 2); // closed
}

TEST_F(MessageDialogsTest, QuickPublishAlertGoesOverTheMainWindowOnce)
{
    Form& publishDialog = host->savingForm; // any form other than the main window
    host->state.quickPublishing = true;
    messages().Alert(QStringLiteral("Published"), &publishDialog);
    EXPECT_EQ(forms.shown.last().owner, QStringLiteral("frmMain"));
    EXPECT_FALSE(host->state.quickPublishing);
    EXPECT_EQ(messages().AlertOK(QStringLiteral("Again"), &publishDialog), 1);
    EXPECT_EQ(forms.shown.last().owner, QStringLiteral("frmSaving"));
}

} // namespace
} // namespace vm::test
