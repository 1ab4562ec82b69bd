#include "app/wiring/subsystem_seams.h"
#include "platform/printing/file_spooler.h"
#include "platform/system/linux_os_version.h"
#include "platform/system/linux_process_runner.h"
#include "platform/system/linux_system_locale.h"
#include "publish/save_logo_form.h"
#include "publish/views/save_logo_view.h"
#include "shell/host.h"
#include "shell/views/qt_form_presenter.h"
#include "tests/unit/views/view_fakes.h"

#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

namespace vm::test {
namespace {

// The publish dialog on screen: what the user clicks reaches the form, and
// the options show the form's choice.
class SaveLogoViewTest : public ::testing::Test, protected QtPlatformParts {
protected:
    void SetUp() override
    {
        host = std::make_unique<Host>(platform, canvas, bitmap, folder);
        dialog = std::make_unique<SaveLogoForm>(SubsystemSeams(*host).publish(), services);
        registerPublishView(forms);
        forms.showModeless(*dialog, nullptr);
        view = qobject_cast<QDialog*>(forms.widgetOf(*dialog));
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    }
    void TearDown() override
    {
        forms.unload(*dialog);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QRadioButton* option(const char* name) { return view->findChild<QRadioButton*>(QLatin1String(name)); }
    // On the round indicator: a radio button takes clicks only there and on its text.
    void clickOption(const char* name)
    {
        QRadioButton* button = option(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }

    LinuxProcessRunner runner;
    FileSpooler spooler{root.path() + QStringLiteral("/spool"), {}};
    LinuxSystemLocale locale;
    LinuxOsVersion osVersion;
    PrintServices services{runner, spooler, locale, osVersion};
    std::unique_ptr<Host> host;
    std::unique_ptr<SaveLogoForm> dialog;
    QDialog* view = nullptr;
};

TEST_F(SaveLogoViewTest, OptionsFollowTheFormAndClicksReachIt)
{
    EXPECT_TRUE(option("optExtension2")->isChecked()); // JPG at first
    EXPECT_TRUE(option("optFullSize")->isChecked());

    clickOption("optExtension0");
    EXPECT_EQ(dialog->format(), SaveLogoForm::Png);
    EXPECT_TRUE(option("optExtension0")->isChecked());
    EXPECT_FALSE(option("optExtension2")->isChecked());
    QTest::mouseClick(view->findChild<QLabel*>(QStringLiteral("lblQuarter")), Qt::LeftButton);
    EXPECT_EQ(dialog->size(), PublishSize::Quarter);
    EXPECT_TRUE(option("optQuarter")->isChecked());

    clickOption("transparent6");
    EXPECT_EQ(dialog->format(), SaveLogoForm::TransparentPng);
    EXPECT_FALSE(option("optExtension0")->isChecked());
    EXPECT_FALSE(option("optQuarter")->isEnabled());
    EXPECT_TRUE(option("optFullSize")->isChecked());
    view->grab().save(QStringLiteral(VM_VIEWS_SHOT_DIR "/views_publish_dialog.png"));

    // Escape does not close it; the close box cancels.
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_TRUE(forms.isLoaded(*dialog));
    view->close();
    EXPECT_FALSE(forms.isLoaded(*dialog));
}

TEST_F(SaveLogoViewTest, VectorFormatsAndACustomSizeShowTheResultBeforePublishing)
{
    LogoDocument logo; // 507 x 397
    const LogoRenderer renderer;
    dialog->direct().setCurrentLogo([&] { return CanvasLogo{&logo, &renderer}; });
    auto* result = view->findChild<QLabel*>(QStringLiteral("lblResultSize"));
    auto* width = view->findChild<QSpinBox*>(QStringLiteral("txtWidth"));
    ASSERT_TRUE(result && width);

    clickOption("optExtension8");
    EXPECT_EQ(dialog->format(), SaveLogoForm::Svg);
    EXPECT_TRUE(option("optExtension8")->isChecked());
    EXPECT_FALSE(option("optCustomSize")->isEnabled()) << "vector files keep the stage";
    EXPECT_EQ(result->text(), QStringLiteral("Result: 507 x 397 points"));

    clickOption("optExtension0");
    EXPECT_TRUE(option("optCustomSize")->isEnabled());
    width->setValue(1014);
    EXPECT_TRUE(dialog->customSize());
    EXPECT_TRUE(option("optCustomSize")->isChecked());
    EXPECT_FALSE(option("optFullSize")->isChecked());
    EXPECT_EQ(result->text(), QStringLiteral("Result: 1014 x 794 pixels"));
    clickOption("optThumbnail");
    EXPECT_FALSE(dialog->customSize());
    EXPECT_EQ(result->text(), QStringLiteral("Result: 100 x 78 pixels"));
}

} // namespace
} // namespace vm::test
