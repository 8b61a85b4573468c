// Reads any bytes as an edited messages file, and checks that the wording read writes out and reads back
// unchanged.
#include "texts/MessageSettings.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer input(&bytes);
    input.open(QIODevice::ReadOnly);
    static const CMessageSettings defaults;
    CMessageSettings settings = defaults;
    settings.ReadFromFile(input);

    QBuffer written;
    written.open(QIODevice::ReadWrite);
    if (!settings.WriteToFile(written))
        std::abort();
    written.seek(0);
    CMessageSettings reread = defaults;
    reread.ReadFromFile(written);
    if (!(reread == settings))
        std::abort();
    return 0;
}
