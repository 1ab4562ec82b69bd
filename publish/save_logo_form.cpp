#include "publish/save_logo_form.h"

#include <QHash>

namespace vm {

namespace {
constexpr int enterKey = 13;

const QStringList captionKeys = {
    QStringLiteral("lblSaveFileFormat"), QStringLiteral("cmdPublish"),        QStringLiteral("cmdCancel"),
    QStringLiteral("lblSelectFormat"),   QStringLiteral("lblSelectSize"),     QStringLiteral("lblFullSize"),
    QStringLiteral("lblQuarter"),        QStringLiteral("lblThumbnail"),      QStringLiteral("lblTransparentPNG"),
    QStringLiteral("lblTransparentGIF"), QStringLiteral("lblTransparentlogo"),
};

} // namespace

SaveLogoForm::SaveLogoForm(const PublishSeams& host, PrintServices& services)
    : host_(host), services_(services), printerSetup_(host.print(), services),
      automation_(host.print(), services.locale, [this] {
          return PrintTargetState{format_ == VectorEps, TargetFolder, TargetFileName, PrintedEpsName};
      }),
      run_(host, printerSetup_),
      printedPicture_(host, services, run_, [this] { unloadDialog(); }),
      direct_(host)
{
}

const publish_formats::Row& SaveLogoForm::chosen() const
{
    // With no format chosen the dialog still publishes: the printed page, cropped into a JPEG.
    static const publish_formats::Row noChoice{PublishFormat::Jpg, {}, "jpg", ".jpg", {}, "doPublish", {}, {},
                                               publish_formats::Route::Printed, publish_formats::Conversion::None,
                                               false, false, false};
    return format_ == NoFormat ? noChoice : publish_formats::row(PublishFormat(format_));
}

FormContent SaveLogoForm::content() const
{
    FormContent content;
    content.caption = QStringLiteral("Publish Logo");
    content.message = captions_.value(QStringLiteral("lblSaveFileFormat"));
    return content;
}

void SaveLogoForm::Form_Load()
{
    loaded_ = true;
    host_.trap.run(QStringLiteral("frmSaveLogo\\Form_Load"), [&] {
        host_.language.LoadLanguage(host_.language.languageIndex());
        for (const QString& key : captionKeys)
            captions_.insert(key, host_.language.GetControlCaptions(key));
        // The last format asked for comes back selected (its opaque kind);
        // the files drawn straight from the logo are chosen anew each time.
        Format preselected = Jpg;
        for (const publish_formats::Row& row : publish_formats::all())
            if (row.keyword == RequestedFormat && !row.transparent && row.route != publish_formats::Route::Direct) {
                preselected = Format(row.format);
                break;
            }
        optExtension_Click(preselected);
    });
    if (presenter_ && host_.platform.forms.isLoaded(*this))
        presenter_->refresh(*this);
}

void SaveLogoForm::ensureLoaded()
{
    if (!loaded_)
        Form_Load();
}

void SaveLogoForm::optExtension_Click(int index)
{
    host_.trap.run(QStringLiteral("frmSaveLogo\\optExtension_Click"), [&] {
        if (index < 0 || index >= publish_formats::all().size() || publish_formats::row(PublishFormat(index)).transparent)
            return;
        EnableDisableTransparent();
        format_ = Format(index);
        ShowSize(chosen().smallSizes);
    });
}

void SaveLogoForm::transparent_Click(int index)
{
    if (index < 0 || index >= publish_formats::all().size() || !publish_formats::row(PublishFormat(index)).transparent)
        return;
    EnableDisable();
    format_ = Format(index);
    ShowSize(false);
}

void SaveLogoForm::EnableDisable()
{
    if (format_ != NoFormat && !chosen().transparent)
        format_ = NoFormat;
}

void SaveLogoForm::EnableDisableTransparent()
{
    if (format_ != NoFormat && chosen().transparent)
        format_ = NoFormat;
}

void SaveLogoForm::ShowSize(bool enabled)
{
    smallSizesEnabled_ = enabled;
    if (!enabled)
        size_ = PublishSize::Full;
}

void SaveLogoForm::selectSize(PublishSize size)
{
    if (size != PublishSize::Full && !smallSizesEnabled_)
        return;
    size_ = size;
    customSize_ = false;
}

void SaveLogoForm::click(const QString& control)
{
    static const QHash<QString, PublishSize> sizes = {
        {QStringLiteral("optFullSize"), PublishSize::Full},       {QStringLiteral("lblFullSize"), PublishSize::Full},
        {QStringLiteral("optQuarter"), PublishSize::Quarter},     {QStringLiteral("lblQuarter"), PublishSize::Quarter},
        {QStringLiteral("optThumbnail"), PublishSize::Thumbnail}, {QStringLiteral("lblThumbnail"), PublishSize::Thumbnail},
    };
    if (control == QLatin1String("imgSave"))
        imgSave_Click();
    else if (control == QLatin1String("lblPublish"))
        lblPublish_Click();
    else if (control == QLatin1String("imgCancel") || control == QLatin1String("lblCancel"))
        imgCancel_Click();
    else if (control.startsWith(QLatin1String("optExtension")))
        optExtension_Click(control.mid(12).toInt());
    else if (control.startsWith(QLatin1String("transparent")))
        transparent_Click(control.mid(11).toInt());
    else if (sizes.contains(control))
        selectSize(sizes.value(control));
    else if (control == QLatin1String("optCustomSize"))
        selectCustomSize();
    else if (control.startsWith(QLatin1String("txtWidth=")))
        setCustomWidth(control.mid(9).toInt());
    else if (control.startsWith(QLatin1String("txtHeight=")))
        setCustomHeight(control.mid(10).toInt());
    if (presenter_ && host_.platform.forms.isLoaded(*this))
        presenter_->refresh(*this);
}

void SaveLogoForm::keyPress(int charCode)
{
    if (charCode == enterKey)
        imgSave_Click();
}

void SaveLogoForm::imgCancel_Click()
{
    host_.trap.run(QStringLiteral("frmSaveLogo\\imgCancel_Click"), [&] { unloadDialog(); });
}

void SaveLogoForm::lblPublish_Click()
{
    host_.trap.run(QStringLiteral("frmSaveLogo\\lblPublish_Click"), [&] {
        publish();
        unloadDialog();
    });
}

bool SaveLogoForm::imgSave_Click()
{
    return publish();
}

void SaveLogoForm::unloadDialog()
{
    automation_.setEnabled(false);
    loaded_ = false;
    host_.platform.forms.unload(*this);
}

void SaveLogoForm::selectCustomSize()
{
    // The custom size is for pictures: the vector files and the printed EPS keep the stage.
    if (format_ == NoFormat || chosen().route != publish_formats::Route::Picture)
        return;
    customSize_ = true;
    size_ = PublishSize::Full;
}

void SaveLogoForm::setCustomWidth(int width)
{
    customWidth_ = std::clamp(width, 0, export_format::maxSide);
    selectCustomSize();
}

void SaveLogoForm::setCustomHeight(int height)
{
    customHeight_ = std::clamp(height, 0, export_format::maxSide);
    selectCustomSize();
}

bool SaveLogoForm::directRoute() const
{
    if (format_ == NoFormat)
        return false;
    return chosen().route == publish_formats::Route::Direct || (customSize_ && chosen().route == publish_formats::Route::Picture);
}

QSize SaveLogoForm::resultSize() const
{
    const QSize stage = direct_.stageSize();
    if (stage.isEmpty())
        return {};
    if (customSize_ && directRoute() && chosen().route == publish_formats::Route::Picture)
        return export_format::scaledSize(stage, customWidth_, customHeight_);
    switch (size_) {
    // The converter fits these into a box, as here.
    case PublishSize::Quarter:
        return export_format::scaledSize(stage, int(convert_commands::quarterSide(stage.width())),
                                         int(convert_commands::quarterSide(stage.height())));
    case PublishSize::Thumbnail: return export_format::scaledSize(stage, 100, 100);
    case PublishSize::Full: break;
    }
    return stage;
}

QString SaveLogoForm::resultSizeText() const
{
    const QSize size = resultSize();
    if (size.isEmpty())
        return {};
    const bool vector = chosen().vector;
    return QStringLiteral("%1 x %2 %3").arg(size.width()).arg(size.height()).arg(vector ? QStringLiteral("points") : QStringLiteral("pixels"));
}

} // namespace vm
