#pragma once

#include "platform/api/system_locale.h"
#include "print/print_seams.h"
#include "shell/host_state.h"

#include <QObject>
#include <QTimer>
#include <functional>

namespace vm {


// What the publish dialog knows when the print-to-file prompt asks for a file.
struct PrintTargetState {
    bool vectorEps = false;   // option 5 of the formats
    QString targetFolder;     // ends in a separator
    QString targetFileName;
    QString printedEpsName;
};

// The path typed into the print-to-file prompt.
QString printToFileTarget(const HostState& state, const PrintTargetState& publish);

// The publish dialog's automation timer (Timer1): every 10 ms it confirms an
// open print dialog and answers the print-to-file prompt of the system's
// language with the print target. It looks for windows only; with none open a
// tick changes nothing.
class PrintAutomation : public QObject {
    Q_OBJECT
public:
    static constexpr int intervalMs = 10;

    PrintAutomation(const PrintSeams& host, SystemLocale& locale, std::function<PrintTargetState()> publishState);

    void setEnabled(bool enabled);
    bool isEnabled() const { return timer_.isActive(); }

    void Timer1_Timer();
    void ClosePrintDialog();
    void CloseOutPutInputBox();

private:
    PrintSeams host_;
    SystemLocale& locale_;
    std::function<PrintTargetState()> publishState_;
    QTimer timer_;
};

} // namespace vm
