#include "support/model/DocumentFileDump.h"

#include "model/DocumentData.h"
#include "support/DocumentDump.h"
#include "support/ToolSupport.h"

#include <gtest/gtest.h>

QString DumpOfDocumentFile(const QString& path) {
    CDocumentData data;
    const std::optional<LoadResult> result = tools::LoadDocument(path, data);
    EXPECT_EQ(result, LoadResult::Loaded) << path.toStdString();
    return result == LoadResult::Loaded ? tools::DumpDocument(data) : QString();
}
