#include "platform/InstanceTable.h"
#include "platform/DocumentHold.h"
#include "platform/OwnerFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

std::unique_ptr<InstanceTable> EmptyTable() {
    auto table = std::make_unique<InstanceTable>();
    std::memset(table.get(), 0, sizeof(InstanceTable));
    return table;
}

InstanceRecord Record(uint32_t pid, const QString& path = {}, int32_t state = 0) {
    InstanceRecord record{};
    record.processId = pid;
    record.SetPath(path);
    record.state = state;
    return record;
}

// The first record of an open document at `path`, compared as the instances compare them.
const InstanceRecord* FindByPath(const InstanceTable& table, const QString& path) {
    return table.FindOpen(
        [&path](const InstanceRecord& record) { return platform::IsRecordDocument(QString(), record, path); });
}

} // namespace

TEST(InstanceTable, RemovalKeepsTheOthersPackedInOrder) {
    auto table = EmptyTable();
    table->Register(Record(10));
    table->Register(Record(20));
    table->Register(Record(30));
    EXPECT_TRUE(table->Remove(10));
    EXPECT_EQ(table->count, 2);
    EXPECT_EQ(table->records[0].processId, 20u);
    EXPECT_EQ(table->records[1].processId, 30u);
    EXPECT_FALSE(table->Remove(99));
    EXPECT_FALSE(table->Update(99, Record(99)));
    EXPECT_EQ(table->count, 2);
}

TEST(InstanceTable, FindsOpenDocumentsOnlyByTheirExactPath) {
    auto table = EmptyTable();
    table->Register(Record(1, "/home/u/Plan.nuv", 4));
    table->Register(Record(2, "/home/u/Plan.nuv", 0));
    table->Register(Record(3, "/home/u/Plan.nuv", 2));
    const InstanceRecord* found = FindByPath(*table, "/home/u/Plan.nuv");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->processId, 3u);
    // Names that differ in letter case are different files.
    EXPECT_EQ(FindByPath(*table, "/HOME/u/plan.NUV"), nullptr);
    EXPECT_EQ(FindByPath(*table, "/home/u/plan.nuv"), nullptr);
    EXPECT_EQ(FindByPath(*table, ""), nullptr);
    EXPECT_EQ(FindByPath(*table, "/home/u/Other.nuv"), nullptr);
}

TEST(InstanceTable, LongTextsAreCutAndTerminated) {
    InstanceRecord record{};
    std::memset(&record, 0x41, sizeof(record));
    record.SetPath(QString(300, QChar(u'x')));
    record.SetCaption(QString(300, QChar(u'y')));
    EXPECT_EQ(record.Path(), QString(259, QChar(u'x')));
    EXPECT_EQ(record.path[259], u'\0');
    EXPECT_EQ(record.Caption(), QString(255, QChar(u'y')));
}

TEST(InstanceTable, DeadProcessesAreDroppedAndADamagedCountReadsAsEmpty) {
    auto table = EmptyTable();
    for (uint32_t pid : {1u, 2u, 3u, 4u})
        table->Register(Record(pid));
    EXPECT_EQ(table->DropStale([](uint32_t pid) { return pid % 2 == 0; }), 2);
    ASSERT_EQ(table->count, 2);
    EXPECT_EQ(table->records[0].processId, 2u);
    EXPECT_EQ(table->records[1].processId, 4u);

    table->count = 5000;
    EXPECT_EQ(table->UsedCount(), 0);
    EXPECT_EQ(FindByPath(*table, "/x"), nullptr);
    EXPECT_TRUE(table->Register(Record(7)));
    EXPECT_EQ(table->count, 1);
}

TEST(OwnerFile, HoldsTheUserNameAndIsReadWithinBounds) {
    QTemporaryDir dir;
    const QString document = dir.filePath("design.nuv");
    EXPECT_EQ(MakeOwnerFileName(document), dir.filePath("~$design.nuv"));
    EXPECT_EQ(ReadOwnerFile(document), "Unknown");

    ASSERT_EQ(WriteOwnerFile(document), OwnerFileWrite::Written);
    QFile file(MakeOwnerFileName(document));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    EXPECT_EQ(bytes.size() % 2, 0);
    EXPECT_NE(bytes.left(2), QByteArray("\xFF\xFE", 2)); // no byte-order mark
    EXPECT_EQ(ReadOwnerFile(document),
              QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2));

    // A huge file, as another program might leave, gives at most 255 units.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(100000, 'a'));
    file.close();
    EXPECT_EQ(ReadOwnerFile(document), QString(255, QChar(0x6161)));

    DeleteOwnerFile(document);
    EXPECT_FALSE(QFile::exists(MakeOwnerFileName(document)));
    DeleteOwnerFile(document); // twice is harmless
}
