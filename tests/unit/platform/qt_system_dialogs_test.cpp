#include "platform_test_support.h"

#include "platform/linux/qt_system_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace vm {
namespace {

// Acts on the next modal window once its loop runs, as a user would.
template <typename Dialog>
void whenShown(std::function<void(Dialog&)> act)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            act(*dialog);
        }
    });
    poll->start(5);
}

TEST(QtSystemDialogs, MessageBoxShowsTheRequestAndReturnsTheAnswer)
{
    QtSystemDialogs dialogs;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    whenShown<QMessageBox>([&](QMessageBox& box) {
        title = box.windowTitle();
        icon = box.icon();
        buttons = box.standardButtons();
        box.button(QMessageBox::No)->click();
    });
    EXPECT_EQ(dialogs.messageBox("Save changes?", "", message_box::Buttons::YesNo, message_box::Icon::Exclamation),
              message_box::Answer::No);
    EXPECT_EQ(title, "Vantamorph");
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(buttons, QMessageBox::Yes | QMessageBox::No);

    // Closing the box is the cancel button where there is one.
    whenShown<QMessageBox>([&](QMessageBox& box) {
        title = box.windowTitle();
        box.close();
    });
    EXPECT_EQ(dialogs.messageBox("Text", "Publish", message_box::Buttons::YesNoCancel, message_box::Icon::Question),
              message_box::Answer::Cancel);
    EXPECT_EQ(title, "Publish");
}

TEST(QtSystemDialogs, FileDialogsTakeTitleFilterAndOverwriteRule)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString existing = folder.filePath("logo.vmp");
    QFile(existing).open(QIODevice::WriteOnly);
    QtSystemDialogs dialogs;

    FileDialogRequest save;
    save.title = "Save Logo";
    save.filter = "Vantamorph Logos (*.vmp)| *.vmp|All Files|*.*";
    save.filterIndex = 2;
    save.fileName = folder.filePath("new.vmp");
    QFileDialog::Options options;
    QString title, selectedFilter;
    whenShown<QFileDialog>([&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        selectedFilter = dialog.selectedNameFilter();
        options = dialog.options();
        dialog.reject();
    });
    EXPECT_EQ(dialogs.saveFile(save), "");
    EXPECT_EQ(title, "Save Logo");
    // The pairs' conversion is FileDialogFilter's; the chosen index picks the second.
    EXPECT_EQ(selectedFilter, "All Files (*)");
    EXPECT_TRUE(options.testFlag(QFileDialog::DontConfirmOverwrite));

    save.overwritePrompt = true;
    whenShown<QFileDialog>([&](QFileDialog& dialog) {
        options = dialog.options();
        static_cast<QDialog&>(dialog).accept(); // the dialog's own accept, as its button does
    });
    EXPECT_EQ(dialogs.saveFile(save), folder.filePath("new.vmp"));
    EXPECT_FALSE(options.testFlag(QFileDialog::DontConfirmOverwrite));

    FileDialogRequest open;
    open.filter = save.filter;
    open.fileName = existing;
    whenShown<QFileDialog>([&](QFileDialog& dialog) { static_cast<QDialog&>(dialog).accept(); });
    EXPECT_EQ(dialogs.openFile(open), existing);
}

} // namespace
} // namespace vm
