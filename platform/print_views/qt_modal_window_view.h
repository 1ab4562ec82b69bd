#pragma once

#include "platform/printing/modal_window.h"

#include <QHash>
#include <QPointer>

class QDialog;
class QWidget;

namespace vm {

class Spooler;

// Shows the print windows as Qt dialogs: buttons click through the registry,
// the edit line and the printer choice keep the registry's text in step.
class QtModalWindowView : public ModalWindowView {
public:
    explicit QtModalWindowView(Spooler& spooler) : spooler_(spooler) {}
    ~QtModalWindowView() override;

    void shown(ModalWindow& window) override;
    void closed(ModalWindow& window) override;

private:
    Spooler& spooler_;
    QHash<ModalWindow*, QPointer<QDialog>> dialogs_;
};

} // namespace vm
