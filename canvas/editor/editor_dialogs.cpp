#include "canvas/editor/editor_widget.h"

#include "canvas/editing/logo_editor.h"
#include "canvas/editor/editor_canvas.h"
#include "canvas/editor/stage_view.h"
#include "canvas/gallery/template_gallery.h"
#include "canvas/logo/logo_renderer.h"
#include "canvas/pictures/crop_dialog.h"
#include "canvas/symbols/clipart_dialog.h"
#include "canvas/look/editor_look.h"
#include "canvas/wizard/ideas_window.h"

#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTimer>

namespace vm {

ClipArtDialog* EditorWidget::clipArtDialog() const { return clipArt_.data(); }
CropDialog* EditorWidget::cropDialog() const { return crop_.data(); }

void EditorWidget::openClipArt()
{
    if (!clipArt_) {
        clipArt_ = new ClipArtDialog(canvas_.clipArtCatalogue(), editor_.renderer(), this);
        clipArt_->setAttribute(Qt::WA_DeleteOnClose);
        connect(clipArt_, &ClipArtDialog::symbolChosen, this,
                [this](const QString& path, const QColor& colour) { editor_.addSymbol(path, colour); });
        connect(clipArt_, &ClipArtDialog::keywordRequested, this,
                [this](const QString& category, const QString& id, const QString& keyword) {
                    canvas_.requestKeyword(category, id, keyword);
                });
    }
    clipArt_->open();
}

void EditorWidget::clipArtChanged()
{
    if (clipArt_)
        clipArt_->catalogueChanged();
}

bool EditorWidget::openCrop()
{
    for (const LogoElement* element : editor_.selectedElements()) {
        if (element->kind != ElementKind::Picture || !isPlainFileName(element->picture))
            continue;
        const QImage picture(editor_.renderer().resources().imageFolder + QLatin1Char('/') + element->picture);
        if (picture.isNull())
            return false;
        delete crop_.data();
        crop_ = new CropDialog(picture, element->picture, this);
        crop_->setAttribute(Qt::WA_DeleteOnClose);
        connect(crop_, &CropDialog::cropRequested, this, [this](const QString& argument) { canvas_.requestCrop(argument); });
        crop_->open();
        return true;
    }
    return false;
}

IdeasWindow* EditorWidget::ideasWindow() const { return ideas_.data(); }

void EditorWidget::openIdeas()
{
    if (!ideas_) {
        ideas_ = new IdeasWindow(canvas_.ideaGenerator(), editor_.renderer().resources(), this);
        ideas_->setAttribute(Qt::WA_DeleteOnClose);
        ideas_->onChosen = [this](const LogoDocument& logo, bool publish) { canvas_.finishWizard(logo, publish); };
    }
    ideas_->show();
    ideas_->raise();
    ideas_->activateWindow();
}

void EditorWidget::buildStartButton()
{
    startButton_ = new QPushButton(editor_look::icon(QStringLiteral("magic-wand")), tr("Start from your name"), view_);
    startButton_->setObjectName(QStringLiteral("startFromName"));
    startButton_->setToolTip(tr("Logo ideas: type your business name and choose from dozens of logos"));
    startButton_->setCursor(Qt::PointingHandCursor);
    startButton_->setIconSize(QSize(20, 20));
    startButton_->setStyleSheet(QStringLiteral(
        "QPushButton { background: #1379ce; color: white; border: 1px solid #0f5fa3; border-radius: 6px;"
        " font-size: 15px; font-weight: bold; padding: 10px 22px; }"
        "QPushButton:hover { background: #1a86df; }"));
    connect(startButton_, &QPushButton::clicked, this, [this] { openIdeas(); });
}

void EditorWidget::placeStartButton()
{
    // Offered only while the logo has nothing on it.
    const bool empty = editor_.document().elements.empty();
    startButton_->setVisible(empty);
    if (!empty)
        return;
    startButton_->adjustSize();
    startButton_->move((view_->width() - startButton_->width()) / 2, (view_->height() - startButton_->height()) / 2);
    startButton_->raise();
}

void EditorWidget::showTemplates(const TemplateLibrary& library)
{
    if (!gallery_) {
        gallery_ = new TemplateGallery(editor_.renderer(), this);
        gallery_->onChosen = [this](const LogoTemplate& chosen) { canvas_.chooseTemplate(chosen.logo); };
        gallery_->onCancelled = [this] { canvas_.leaveTemplates(); };
    }
    gallery_->setGeometry(rect());
    gallery_->showLibrary(library);
    gallery_->show();
    gallery_->raise();
    gallery_->designView()->setFocus();
}

void EditorWidget::hideTemplates()
{
    if (gallery_)
        gallery_->hide();
}

void EditorWidget::saveAsTemplate()
{
    auto* ask = new QInputDialog(this);
    ask->setAttribute(Qt::WA_DeleteOnClose);
    ask->setWindowTitle(tr("Save as Template"));
    ask->setLabelText(tr("Template name (it appears under \"My templates\"):"));
    ask->setTextValue(tr("My template"));
    connect(ask, &QInputDialog::textValueSelected, this, [this](const QString& name) {
        QString error;
        const QString written = canvas_.saveAsTemplate(name, &error);
        showNotice(written.isEmpty() ? error : tr("Saved as the template \"%1\" under My templates.").arg(name.simplified()));
    });
    ask->open();
}

void EditorWidget::showNotice(const QString& text)
{
    if (!notice_) {
        notice_ = new QLabel(view_);
        notice_->setStyleSheet(QStringLiteral("background: rgba(20, 40, 70, 225); color: white; padding: 8px 14px; border-radius: 4px;"));
    }
    notice_->setText(text);
    notice_->adjustSize();
    notice_->move((view_->width() - notice_->width()) / 2, view_->height() - notice_->height() - 16);
    notice_->show();
    notice_->raise();
    QTimer::singleShot(3000, notice_, &QWidget::hide);
}

} // namespace vm
