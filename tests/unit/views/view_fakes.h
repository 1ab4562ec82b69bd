#pragma once

#include "protocol/player_control.h"
#include "platform/api/platform.h"
#include "shell/views/qt_form_presenter.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/program_folder.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vm::test {

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

// The fake services behind the real Qt presenter, with a program folder.
struct QtPlatformParts : PlatformParts<QtFormPresenter> {
    QTemporaryDir root;
    QString folder = makeProgramFolder(root);
    SilentPlayer canvas;
    SilentPlayer bitmap;
};

} // namespace vm::test
