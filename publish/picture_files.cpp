#include "publish/picture_files.h"

#include "platform/api/atomic_file.h"

namespace vm::picture_files {

std::optional<QByteArray> DecodeBase64(const QString& text)
{
    QByteArray compact;
    compact.reserve(text.size());
    for (const QChar c : text) {
        if (c.isSpace())
            continue;
        if (c.unicode() > 0x7f)
            return std::nullopt;
        compact.append(char(c.unicode()));
    }
    if (compact.isEmpty() || compact.size() % 4 != 0)
        return std::nullopt;
    const auto decoded = QByteArray::fromBase64Encoding(compact, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    return *decoded;
}

bool FileWriteBinary(const QByteArray& data, const QString& path)
{
    return writeFileAtomically(path, data).ok;
}

} // namespace vm::picture_files
