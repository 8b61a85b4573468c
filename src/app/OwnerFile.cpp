#include "app/OwnerFile.h"

#include "platform/UserName.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString kOwnerPrefix = QStringLiteral("~$");
const QString kUnknownUser = QStringLiteral("Unknown");
constexpr qint64 kMaxOwnerBytes = 512; // what a reader takes in, whatever the file's size
constexpr int kMaxWrittenUnits = 260;  // what a writer puts out
constexpr int kMaxNameUnits = 255;     // what the caller's 256-unit name holds besides its terminator

} // namespace

QString MakeOwnerFileName(const QString& documentPath) {
    const QFileInfo info(documentPath);
    const QString directory = documentPath.left(documentPath.size() - info.fileName().size());
    return directory + kOwnerPrefix + info.fileName();
}

bool IsOwnerFileName(const QString& fileName) {
    return fileName.startsWith(kOwnerPrefix);
}

bool WriteOwnerFile(const QString& documentPath) {
    QString name = platform::GetUserName();
    if (name.isEmpty())
        name = kUnknownUser;
    name.truncate(kMaxWrittenUnits);
    QByteArray bytes;
    for (QChar unit : name) {
        bytes.append(static_cast<char>(unit.unicode() & 0xFF));
        bytes.append(static_cast<char>(unit.unicode() >> 8));
    }
    QFile file(MakeOwnerFileName(documentPath));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    return written;
}

QString ReadOwnerFile(const QString& documentPath) {
    QFile file(MakeOwnerFileName(documentPath));
    if (!file.open(QIODevice::ReadOnly))
        return kUnknownUser;
    const QByteArray bytes = file.read(kMaxOwnerBytes);
    QString name;
    for (qsizetype i = 0; i + 1 < bytes.size() && name.size() < kMaxNameUnits; i += 2) {
        const char16_t unit = static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
        if (unit == 0)
            break;
        name.append(QChar(unit));
    }
    return name;
}

void DeleteOwnerFile(const QString& documentPath) {
    QFile::remove(MakeOwnerFileName(documentPath));
}
