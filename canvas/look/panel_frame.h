#pragma once

#include <QString>

class QFrame;
class QVBoxLayout;
class QWidget;

namespace vm {

// The look every floating canvas panel shares: a light frame with a bold
// title and a close button. Returns the layout the panel's content goes in;
// the panel starts hidden.
QVBoxLayout* decoratePanel(QFrame* frame, const QString& title);
QFrame* panelFrame(const QString& title, QWidget* parent, QVBoxLayout*& body);

} // namespace vm
