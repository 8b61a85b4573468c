// Reads any bytes as a document file the way a document is opened: the current content, rebuilt into its
// table of contents, then the first stored version; and as the source of the two partial imports.
#include "model/DocumentData.h"
#include "model/DocumentFile.h"
#include "platform/MessageBox.h"

#include <QBuffer>

#include <cstdint>

namespace {

LoadResult Load(QByteArray& bytes, CDocumentData& data, int versionNumber) {
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    const LoadResult result = LoadDocumentXml(file, data, versionNumber);
    if (result == LoadResult::Loaded) {
        data.indexRoot.Clear();
        data.registry.RebuildAndNotify(data.indexRoot, data.GetModelOptions());
    }
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::ScriptedMessageSink messages;
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    int storedVersion = 0;
    {
        CDocumentData document;
        if (Load(bytes, document, 0) != LoadResult::Loaded)
            return 0;
        if (!document.versionHistory.empty())
            storedVersion = document.versionHistory.front().number;
    }
    if (storedVersion != 0) {
        CDocumentData document;
        Load(bytes, document, storedVersion);
    }

    CDocumentData importer;
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    ImportEnvironmentFromDocument(file, importer);
    ImportMemberNamesFromDocument(file, importer);
    return 0;
}
