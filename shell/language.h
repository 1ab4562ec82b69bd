#pragma once

#include <QString>
#include <QStringList>
#include <pugixml.hpp>

namespace vm {

class ErrorTrap;
class SystemDialogs;

// The interface texts: Xml/english.xml in the program folder, looked up by key.
// The program runs in English (language index 0) for the whole run.
class Language {
public:
    Language(QString programFolder, ErrorTrap& trap, SystemDialogs& dialogs);

    // Reads the language file again from disk (the dialogs do this each time they load).
    void LoadLanguage(int index);
    bool CheckXMLExists();

    // The text for key, "" when there is none. A failed lookup is logged.
    QString GetControlCaptions(const QString& key);

    // Fills the menu-caption cache; throws when the document cannot answer.
    void LoadMenuCaptions();
    QString GetMenuCaption(const QString& key) const;

    int languageIndex() const { return languageIndex_; }
    QString path() const { return path_; }

    // The 36 menu keys of the caption cache, in cache order.
    static const QStringList& menuCaptionKeys();

private:
    // The VALUE of the first CONVERTERITEM named key; null when none matches.
    // Throws RunTimeError when the document cannot be queried.
    QString lookup(const QString& key) const;

    QString programFolder_;
    ErrorTrap& trap_;
    SystemDialogs& dialogs_;
    int languageIndex_ = 0;
    QString path_;
    pugi::xml_document document_;
    QStringList menuKeys_;
    QStringList menuCaptions_;
};

} // namespace vm
