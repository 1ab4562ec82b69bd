#pragma once

#include <QString>

namespace vm {

class ErrorTrap;
class Form;
class MessageDialogs;
class NetworkInfo;
class ShellOpener;

// The product's web pages and the help file, opened from the help menu.
class WebLinks {
public:
    // The redirect page the tracking query is appended to.
    static const QString endpoint;

    WebLinks(QString programFolder, QString installRoot, ShellOpener& shell, NetworkInfo& network,
             MessageDialogs& dialogs, ErrorTrap& trap);

    QString BuildWebUrl(const QString& pageKey) const;
    QString ReadInstallLog() const;
    QString GetInstallSource() const;
    bool chkOnNet();

    void mnuVantamorphWeb(Form* mainForm);
    void mnuResourceTagline(Form* mainForm);
    void mnuHelp();

    QString helpFilePath() const;

private:
    void openPage(const QString& label, const QString& pageKey, Form* mainForm);

    QString programFolder_;
    QString installRoot_;
    ShellOpener& shell_;
    NetworkInfo& network_;
    MessageDialogs& dialogs_;
    ErrorTrap& trap_;
};

} // namespace vm
