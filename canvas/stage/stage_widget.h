#pragma once

#include <QWidget>

namespace vm {

class PlayerControl;

// The canvas's place in the main window: an empty white stage of the movie's
// size until the editor itself draws here.
class StageWidget : public QWidget {
public:
    explicit StageWidget(PlayerControl& player, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PlayerControl& player_;
};

} // namespace vm
