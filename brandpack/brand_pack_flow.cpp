#include "brandpack/brand_pack_flow.h"


#include <QDir>

namespace vm {

const QString BrandPackFlow::menuKey = QStringLiteral("mnuBrandPack");

BrandPackFlow::BrandPackFlow(const BrandPackSeams& host, CurrentLogo currentLogo)
    : host_(host), currentLogo_(std::move(currentLogo)), form_(host)
{
    host.mainMenu.on(menuKey, [this] { mnuBrandPack(); });
}

void BrandPackFlow::tell(const QString& message)
{
    host_.platform.dialogs.messageBox(message, QStringLiteral("Vantamorph"), message_box::Buttons::Ok, message_box::Icon::None);
}

void BrandPackFlow::mnuBrandPack()
{
    host_.trap.run(QStringLiteral("frmMain\\mnuBrandPack"), [&] {
        const CanvasLogo logo = currentLogo_ ? currentLogo_() : CanvasLogo();
        if (!logo.available()) {
            tell(QStringLiteral("There is no logo to publish."));
            return;
        }
        FileDialogRequest request;
        request.title = QStringLiteral("Brand Pack Folder");
        request.fileName = QStringLiteral("brand-pack");
        request.filter = QStringLiteral("Folders|*");
        const QString folder = host_.platform.dialogs.saveFile(request);
        if (folder.trimmed().isEmpty())
            return;
        if (const QString problem = BrandPack::folderProblem(folder); !problem.isEmpty()) {
            tell(QStringLiteral("The brand pack cannot be written: %1.").arg(problem));
            return;
        }
        // The pack keeps its own copy of the logo: the canvas may change meanwhile.
        form_.prepare(std::make_unique<BrandPack>(*logo.document, *logo.renderer, QDir(folder).absolutePath()));
        host_.platform.forms.showModal(form_, &host_.mainForm);
        switch (form_.outcome()) {
        case BrandPackForm::Outcome::Finished:
            tell(QStringLiteral("Your brand pack has been published in %1.").arg(folder));
            break;
        case BrandPackForm::Outcome::NotRun: // the window was closed before the first file
        case BrandPackForm::Outcome::Cancelled:
            tell(QStringLiteral("The brand pack was cancelled; %1 was not changed.").arg(folder));
            break;
        case BrandPackForm::Outcome::Failed:
            tell(QStringLiteral("The brand pack could not be written: %1").arg(form_.pack() ? form_.pack()->error().reason : QString()));
            break;
        }
    });
}

} // namespace vm
