#pragma once

#include "canvas/api/player_control.h"
#include "platform/api/platform.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vm::test {

class QuietDialogs : public SystemDialogs {
public:
    message_box::Answer messageBox(const QString& text, const QString&, message_box::Buttons,
                                   message_box::Icon) override
    {
        shown.append(text);
        return message_box::Answer::Ok;
    }
    QString saveFile(const FileDialogRequest&) override { return {}; }
    QString openFile(const FileDialogRequest&) override { return {}; }
    QStringList shown;
};

class TempOs : public OsFacts {
public:
    QString documentsFolder() override { return QDir::tempPath(); }
    QString environment(const QString&) override { return {}; }
    QString tempFolder() override { return QDir::tempPath(); }
};

class NoRights : public Rights {
public:
    int environmentQuery() override { return 0; }
};

class NoShell : public ShellOpener {
public:
    void open(const QString&, const QString&, int) override {}
};

class NoNetwork : public NetworkInfo {
public:
    QString localAddress() override { return {}; }
};

class RecordingProcess : public ProcessControl {
public:
    void endProcess(int) override { ended = true; }
    bool ended = false;
};

// A player that keeps what it is told and never answers.
class SilentPlayer : public PlayerControl {
public:
    void setMovie(const QString& path) override { movie_ = path; }
    QString movie() const override { return movie_; }
    void setVariable(const QString&, const QString&) override {}
    void tGotoFrame(const QString&, int) override {}
    void tPlay(const QString&) override {}
    QString callFunction(const QString&) override { return {}; }
    void setSize(const QSize& size) override { size_ = size; }
    QSize size() const override { return size_; }

private:
    QString movie_;
    QSize size_;
};

// A program folder with the shipped texts and menu icons.
inline QString makeProgramFolder(const QTemporaryDir& root)
{
    const QString folder = root.path() + QStringLiteral("/Vantamorph");
    QDir().mkpath(folder + QStringLiteral("/Xml"));
    QDir().mkpath(folder + QStringLiteral("/Images"));
    QFile::copy(QStringLiteral(VM_SOURCE_DIR "/data/Xml/english.xml"), folder + QStringLiteral("/Xml/english.xml"));
    for (const char* icon : {"new", "open", "save", "cut", "copy", "paste", "delete"})
        QFile::copy(QStringLiteral(VM_SOURCE_DIR "/data/Images/") + QLatin1String(icon) + QStringLiteral(".bmp"),
                    folder + QStringLiteral("/Images/") + QLatin1String(icon) + QStringLiteral(".bmp"));
    return folder;
}

} // namespace vm::test
