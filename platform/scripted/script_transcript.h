#pragma once

#include "platform/api/trace.h"

#include <QString>
#include <cstdio>

namespace vm {

// The transcript of a scripted session, written to a file or to stdout.
// Every line is flushed at once: the process may end without unwinding.
class ScriptTranscript : public Trace {
public:
    // An empty path writes to stdout.
    explicit ScriptTranscript(const QString& path = QString());
    ~ScriptTranscript() override;
    ScriptTranscript(const ScriptTranscript&) = delete;
    ScriptTranscript& operator=(const ScriptTranscript&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    void write(const QString& line) override;

private:
    std::FILE* file_ = nullptr;
    bool ownsFile_ = false;
};

} // namespace vm
