// The answers of the message dialogs are given in the scripted dialogs' tests
// and by key and mouse in the views' tests; here only where the alert sits.
#include "tests/unit/shell/host_fixture.h"

namespace vm::test {
namespace {

using MessageDialogsTest = HostFixture;

TEST_F(MessageDialogsTest, QuickPublishAlertGoesOverTheMainWindowOnce)
{
    makeHost();
    Form& publishDialog = host->savingForm; // any form other than the main window
    host->state.quickPublishing = true;
    host->messages.Alert(QStringLiteral("Published"), &publishDialog);
    EXPECT_EQ(forms.shown.last().owner, QStringLiteral("frmMain"));
    EXPECT_FALSE(host->state.quickPublishing);
    EXPECT_EQ(host->messages.AlertOK(QStringLiteral("Again"), &publishDialog), 1);
    EXPECT_EQ(forms.shown.last().owner, QStringLiteral("frmSaving"));
}

} // namespace
} // namespace vm::test
