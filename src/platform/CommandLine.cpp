#include "platform/CommandLine.h"

#include <QFile>

namespace platform {

bool DecodeCommandLine(int argc, char** argv, QStringList& arguments, QByteArray& undecodable) {
    arguments.clear();
    for (int i = 1; i < argc; ++i) {
        const QByteArray bytes(argv[i]);
        const QString argument = QFile::decodeName(bytes);
        if (QFile::encodeName(argument) != bytes) {
            undecodable = bytes;
            arguments.clear();
            return false;
        }
        arguments << argument;
    }
    return true;
}

} // namespace platform
