#include "scripting_test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace vm::test {

namespace {
class BitWriter {
public:
    void put(quint32 value, int bits)
    {
        for (int bit = bits - 1; bit >= 0; --bit) {
            if (used_ % 8 == 0)
                bytes_.append('\0');
            if ((value >> bit) & 1)
                bytes_[bytes_.size() - 1] = char(quint8(bytes_.back()) | (0x80 >> (used_ % 8)));
            ++used_;
        }
    }
    QByteArray bytes() const { return bytes_; }

private:
    QByteArray bytes_;
    int used_ = 0;
};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override { application_ = new QCoreApplication(argc_, argv_); }
    void TearDown() override { delete application_; }

private:
    int argc_ = 1;
    char name_[16] = "scripting_tests";
    char* argv_[2] = {name_, nullptr};
    QCoreApplication* application_ = nullptr;
};

[[maybe_unused]] const auto* registered = ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);
} // namespace

QByteArray minimalMovie(int width, int height)
{
    constexpr int fieldBits = 16; // enough for the stage in twips, with the sign bit
    BitWriter stage;
    stage.put(fieldBits, 5);
    stage.put(0, fieldBits);
    stage.put(quint32(width * 20), fieldBits);
    stage.put(0, fieldBits);
    stage.put(quint32(height * 20), fieldBits);

    QByteArray movie("FWS");
    movie.append(char(6));
    movie.append(4, '\0'); // file length, filled in below
    movie.append(stage.bytes());
    movie.append(char(0)).append(char(12)); // 12 frames a second (8.8 fixed point)
    movie.append(char(1)).append(char(0));  // one frame
    movie.append(char(0)).append(char(0));  // End tag
    const quint32 length = quint32(movie.size());
    for (int index = 0; index < 4; ++index)
        movie[4 + index] = char((length >> (8 * index)) & 0xFF);
    return movie;
}

ProgramFolder::ProgramFolder(bool withMovies)
{
    QFile english(QStringLiteral(VM_SOURCE_DIR "/data/Xml/english.xml"));
    if (!english.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "no english.xml in the source tree";
        return;
    }
    writeFile(programFolder() + QStringLiteral("/Xml/english.xml"), english.readAll());
    QDir().mkpath(documents());
    if (withMovies) {
        writeFile(root() + QStringLiteral("/flash/LogoMain.swf"), minimalMovie(507, 397));
        writeFile(root() + QStringLiteral("/flash/DrawBitmap.swf"), minimalMovie(507, 397));
    }
}

} // namespace vm::test
