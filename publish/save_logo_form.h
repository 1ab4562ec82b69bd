#pragma once

#include "platform/api/form.h"
#include "print/print_automation.h"
#include "print/printer_setup.h"
#include "publish/convert_commands.h"
#include "publish/publish_run.h"
#include "publish/direct_publish.h"
#include "publish/printed_picture_step.h"
#include "publish/publish_seams.h"
#include "protocol/publish_formats.h"

#include <QHash>

namespace vm {

struct PrintServices;

// The publish dialog: the user picks a format and a size, names the file,
// and the canvas is asked to draw; the picture comes back through the
// printer (EPS, cropped and converted here) or the bitmap canvas.
class SaveLogoForm : public Form {
public:
    // The eight format options: optExtension 0..5, transparent 6 and 7; then
    // the vector files drawn straight from the canvas: optExtension 8 and 9
    // (the numbers of PublishFormat).
    enum Format { NoFormat = -1, Png = 0, Eps = 1, Jpg = 2, Gif = 3, Tiff = 4, VectorEps = 5, TransparentPng = 6,
                  TransparentGif = 7, Svg = 8, Pdf = 9 };

    SaveLogoForm(const PublishSeams& host, PrintServices& services);

    QString name() const override { return QStringLiteral("frmSaveLogo"); }
    FormContent content() const override;
    void onLoad() override { Form_Load(); }
    void click(const QString& control) override;
    void keyPress(int charCode) override;
    void closeBox() override { imgCancel_Click(); }

    void Form_Load();
    // Loads the dialog's state without showing it (quick publish).
    void ensureLoaded();
    void optExtension_Click(int index);
    void transparent_Click(int index);
    void selectSize(PublishSize size);
    void ShowSize(bool enabled);
    void EnableDisable();
    void EnableDisableTransparent();

    // Publish: true when it ran to the end (the canvas was asked).
    bool imgSave_Click();
    void lblPublish_Click();
    void imgCancel_Click();
    void CreateImage();
    void unloadDialog();

    static bool CheckWritePermission(const QString& folder);

    // A size of the user's own (optCustomSize, txtWidth=N, txtHeight=N; 0 for
    // "not given"), for the raster formats; published straight from the canvas.
    void selectCustomSize();
    void setCustomWidth(int width);
    void setCustomHeight(int height);
    bool customSize() const { return customSize_; }
    int customWidth() const { return customWidth_; }
    int customHeight() const { return customHeight_; }
    // The exact size of the result: pixels, or points for the vector files;
    // empty when the canvas has no logo.
    QSize resultSize() const;
    QString resultSizeText() const;
    DirectPublish& direct() { return direct_; }

    // What the view shows and the quick publish reads.
    Format format() const { return format_; }
    PublishSize size() const { return size_; }
    bool smallSizesEnabled() const { return smallSizesEnabled_; }
    QString caption(const QString& key) const { return captions_.value(key); }

    // Kept while the program runs, across loads of the dialog.
    QString RequestedFormat;
    QString SizeArgument;
    QString TargetFolder;
    QString TargetFileName;
    QString PrintedEpsName;

    PrinterSetup& printerSetup() { return printerSetup_; }
    PrintAutomation& automation() { return automation_; }
    PublishRun& publishRun() { return run_; }
    QString epsWorkFile() const;

private:
    // The chosen format's row; no choice publishes as the printed EPS of a JPEG.
    const publish_formats::Row& chosen() const;
    bool publish();
    bool directRoute() const;
    bool publishDirect();
    void deleteLeftover(const QString& path);

    PublishSeams host_;
    PrintServices& services_;
    PrinterSetup printerSetup_;
    PrintAutomation automation_;
    PublishRun run_;
    PrintedPictureStep printedPicture_;
    QHash<QString, QString> captions_;
    Format format_ = NoFormat;
    PublishSize size_ = PublishSize::Full;
    bool smallSizesEnabled_ = true;
    bool loaded_ = false;
    DirectPublish direct_;
    bool customSize_ = false;
    int customWidth_ = 0;
    int customHeight_ = 0;
};

} // namespace vm
