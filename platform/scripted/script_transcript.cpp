#include "platform/scripted/script_transcript.h"

#include <QFile>

namespace vm {

ScriptTranscript::ScriptTranscript(const QString& path)
{
    if (path.isEmpty()) {
        file_ = stdout;
        return;
    }
    file_ = std::fopen(QFile::encodeName(path).constData(), "wb");
    ownsFile_ = file_ != nullptr;
}

ScriptTranscript::~ScriptTranscript()
{
    if (ownsFile_)
        std::fclose(file_);
}

void ScriptTranscript::write(const QString& line)
{
    if (!file_)
        return;
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file_);
    std::fflush(file_);
}

} // namespace vm
