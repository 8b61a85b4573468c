// Reads any bytes as a FreeMind map into a new document, as the converter does before it saves.
#include "interchange/ImportProgress.h"
#include "interchange/MindMapReader.h"
#include "model/DocumentData.h"

#include <QBuffer>

#include <cstdint>

namespace {

class SilentProgress : public CImportProgress {
public:
    void SetRange(int) override {}
    void SetPos(int) override {}
    bool IsCancelled() const override { return false; }
    void ShowFinished() override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer device(&bytes);
    CDocumentData document;
    document.SetDefaults();
    CMindMapReader reader;
    SilentProgress progress;
    if (reader.Open(device, document).Succeeded())
        reader.Convert(document, progress);
    return 0;
}
