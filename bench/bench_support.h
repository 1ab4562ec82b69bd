#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <algorithm>
#include <vector>

namespace vm::bench {

// Benchmarks draw without a screen unless the caller chose a platform.
inline void drawOffscreenUnlessToldOtherwise()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The middle of the measured times: one slow round does not move it.
inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace vm::bench
