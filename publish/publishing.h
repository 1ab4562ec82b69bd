#pragma once

#include "publish/publish_seams.h"
#include "publish/quick_publish.h"
#include "publish/save_logo_form.h"

namespace vm {

// Publishing plugged into the host: the publish dialog and its menu items,
// the canvas's printing answers and the bitmap canvas's pictures.
class Publishing {
public:
    Publishing(const PublishSeams& host, PrintServices& services);

    // The first entry of the Publish Logo submenu: the publish dialog.
    static const QString publishDialogItem;

    // The configuration folder the converter is started with (its
    // XDG_CONFIG_HOME): our policy lets it read printed PostScript.
    static QString prepareConverterConfig(const QString& programFolder);

    SaveLogoForm& dialog() { return dialog_; }
    QuickPublish& quickPublish() { return quick_; }

private:
    void showDialog();

    PublishSeams host_;
    SaveLogoForm dialog_;
    QuickPublish quick_;
};

} // namespace vm
