#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace vm {

namespace ideas {
class IdeaGenerator;
}
class ClipArtCatalogue;
class ImportedFonts;
class LogoEditor;
struct LogoDocument;

// What the editor window asks of the canvas it shows: the logo's editor, the
// resources its panels list, and the requests its toolbar and dialogs raise to
// the host. The reference canvas answers them; the editor never sees the movie.
class EditorCanvas {
public:
    virtual ~EditorCanvas() = default;

    virtual LogoEditor& editor() = 0;

    // The canvas's own toolbar asking the host.
    virtual void requestNew() = 0;
    virtual void requestOpen() = 0;
    virtual void requestSave() = 0;
    virtual void requestPublish() = 0;
    virtual void requestPicture() = 0;
    // The user's own keyword for a clip-art symbol; the host answers "result keyword".
    virtual void requestKeyword(const QString& category, const QString& id, const QString& keyword) = 0;
    // The crop tool's "cropimage" argument; the host answers "cropedimage".
    virtual void requestCrop(const QString& argument) = 0;
    // A message for the user, shown by the host.
    virtual void alert(const QString& message) = 0;

    // The font box: the families every logo can use, the user's imported
    // ones, and the installed faces the host offers for import ("fontlist").
    virtual QStringList fontFamilies() const = 0;
    virtual const ImportedFonts& userFonts() const = 0;
    virtual QStringList importableFaces() const = 0;
    // The user picked a face to import: the host compiles it and answers "loaduserfonts".
    virtual void importFont(const QString& face) = 0;

    // The clip-art library, read when first needed and again when a keyword was added.
    virtual const ClipArtCatalogue& clipArtCatalogue() = 0;
    virtual bool quickHelpShown() const = 0;
    virtual void setQuickHelp(bool shown, bool tellHost) = 0;
    virtual void textEditing(bool editing) = 0;
    // The logo ideas are made by, read when first needed; shared with the threads that draw them.
    virtual std::shared_ptr<const ideas::IdeaGenerator> ideaGenerator() = 0;
    // The chosen idea becomes the new, unsaved logo; publish: save and publish it then.
    virtual void finishWizard(const LogoDocument& logo, bool publish) = 0;
    // The template gallery: a design picked, or left without one.
    virtual void chooseTemplate(const LogoDocument& logo) = 0;
    virtual void leaveTemplates() = 0;
    // The current logo written into the user's own templates; the file, or "" with error set.
    virtual QString saveAsTemplate(const QString& name, QString* error) = 0;
};

} // namespace vm
