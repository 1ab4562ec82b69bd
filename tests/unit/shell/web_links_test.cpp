#include "tests/unit/shell/host_fixture.h"

namespace vm::test {
namespace {

class WebLinksTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        makeHost();
    }
    void writeInstallLog(const QByteArray& text) { writeFile(root.path() + QStringLiteral("/install.log"), text); }
    WebLinks& links() { return host->webLinks; }
};

TEST_F(WebLinksTest, TheLastSourceLineOfTheInstallLogDecidesTheTag)
{
    EXPECT_EQ(links().BuildWebUrl(QStringLiteral("homepage")),
              WebLinks::endpoint + QStringLiteral("?utm_source=default&utm_medium=PPD&utm_campaign=default&gotopg=homepage"));
    EXPECT_TRUE(links().BuildWebUrl(QStringLiteral("anything")).endsWith(QStringLiteral("&gotopg=homepage")));
    writeInstallLog("Installing...\r\nSource: C:\\Downloads\\setup_first.exe\r\nnoise .exe \\ without the word\r\n"
                    "SOURCE: D:\\Web\\Setup_ABC12.EXE\r\n");
    EXPECT_EQ(links().ReadInstallLog(), QStringLiteral("setup_abc12.exe"));
    EXPECT_EQ(links().GetInstallSource(), QStringLiteral("abc12"));
    EXPECT_TRUE(links().BuildWebUrl(QStringLiteral("homepage")).contains(QStringLiteral("utm_source=abc12&utm_medium=PPD&utm_campaign=abc12")));

    writeInstallLog("source: C:\\setup.exe\r\n");
    EXPECT_EQ(links().GetInstallSource(), QStringLiteral("default"));
    writeInstallLog(QByteArray("source:\\\xff\x00.exe\n", 12));
    EXPECT_EQ(links().GetInstallSource(), QStringLiteral("default"));
}

TEST_F(WebLinksTest, OnlyALoopbackAddressMeansNoNetwork)
{
    network.address = QStringLiteral("127.0.0.1");
    links().mnuVantamorphWeb(&host->mainForm);
    EXPECT_TRUE(shell.opened.isEmpty());
    ASSERT_EQ(forms.shown.size(), 1);
    EXPECT_EQ(forms.shown[0].form, QStringLiteral("frmAlert"));
    EXPECT_EQ(forms.shown[0].message, QStringLiteral("Internet connection not found."));

    network.address.clear();
    EXPECT_FALSE(links().chkOnNet());
    network.address = QStringLiteral("10.1.2.3");
    links().mnuVantamorphWeb(&host->mainForm);
    ASSERT_EQ(shell.opened.size(), 1);
    EXPECT_TRUE(shell.opened[0].second.endsWith(QStringLiteral("gotopg=homepage")));
}

} // namespace
} // namespace vm::test
