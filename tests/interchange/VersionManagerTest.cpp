#include "interchange/VersionManager.h"
#include "interchange/TfsHandOver.h"
#include "model/DocumentData.h"
#include "model/DocumentFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(VersionManager, TenVersionsAreStoredListedAndRemovedAndTheEleventhIsRefused) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath("doc.nuv");
    CDocumentData data;
    data.SetDefaults();
    QString refusal;
    for (int i = 1; i <= CDocumentData::MaxStoredVersions; ++i) {
        ASSERT_TRUE(CVersionManager::CanStoreVersion(data, &refusal)) << i;
        EXPECT_TRUE(refusal.isEmpty());
        ASSERT_TRUE(SaveDocumentXmlWithHistory(
            data, path,
            VersionHistoryEntry{1, i, QStringLiteral("2026/12/07 10:00:%1").arg(i, 2, 10, QChar(u'0')),
                                QStringLiteral("tester"), QStringLiteral("v%1").arg(i)}));
    }
    EXPECT_FALSE(CVersionManager::CanStoreVersion(data, &refusal));
    EXPECT_EQ(refusal, "版の管理で保存できる数は最大10個までです。\n保存するには、版を削除してください。");

    std::vector<QStringList> rows = CVersionManager::Rows(data);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[0], (QStringList{" 1.01", "2026/12/07 10:00:01", "tester", "v1"}));
    EXPECT_EQ(rows[9][0], " 1.10");

    EXPECT_FALSE(CVersionManager::Remove(data, 10));
    EXPECT_FALSE(CVersionManager::Remove(data, -1));
    ASSERT_TRUE(CVersionManager::Remove(data, 1));
    rows = CVersionManager::Rows(data);
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[0][3], "v1");
    EXPECT_EQ(rows[1][3], "v3");
    EXPECT_TRUE(CVersionManager::CanStoreVersion(data, nullptr));

    // The removal lasts: a plain save writes nine, and the reader numbers the next one after the highest.
    ASSERT_TRUE(SaveDocumentXml(data, path));
    CDocumentData reread;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_EQ(LoadDocumentXml(file, reread, 0), LoadResult::Loaded);
    EXPECT_EQ(reread.versionHistory.size(), 9u);
    EXPECT_EQ(reread.nextVersionNumber, 11);
}

class RecordingConnector : public CTfsConnector {
public:
    QString AddWorkItem(const QString& project, const QString&, const QString& title, const QString&,
                        const QString& documentPath) override {
        path = documentPath;
        QFile file(documentPath);
        if (file.open(QIODevice::ReadOnly))
            content = file.readAll();
        return QStringLiteral("%1 %2 %3").arg(reply, project, title);
    }
    QString reply = QStringLiteral("1234");
    QString path;
    QByteArray content;
};

TEST(TfsHandOver, TheTemporaryCopyIsHandedOverAndRemovedAndFailuresAreSaid) {
    EXPECT_EQ(CTfsHandOver::NoConnectorMessage(),
              "No work item can be added: there is no component that connects to Team Foundation Server.");
    CDocumentData data;
    data.SetDefaults();
    data.registry.origin->name = QStringLiteral("handed over");
    RecordingConnector connector;
    bool failed = true;
    EXPECT_EQ(CTfsHandOver::AddWorkItem(data, connector, {"project", "Task", "title", "text"}, failed),
              "1234 project title");
    EXPECT_FALSE(failed);
    EXPECT_TRUE(connector.content.contains("handed over"));
    EXPECT_FALSE(QFile::exists(connector.path));
    EXPECT_FALSE(QDir(QFileInfo(connector.path).path()).exists());

    connector.reply = QStringLiteral("####1 refused");
    CTfsHandOver::AddWorkItem(data, connector, {}, failed);
    EXPECT_TRUE(failed);
    EXPECT_FALSE(QFile::exists(connector.path));
}

} // namespace
