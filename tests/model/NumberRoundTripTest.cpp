#include "ModelTestSupport.h"
#include "model/DocumentData.h"
#include "model/DocumentFile.h"
#include "platform/MessageBox.h"

#include <QBuffer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <sstream>

namespace {

// A document with every kind of record the file holds: the new document's settings, unit functions with
// headers, objects, requirements and lines of every kind, members, notes.
QByteArray RichDocument(const QString& path) {
    CDocumentData data;
    data.SetDefaults();
    CUnitFunctionRegistry& registry = data.registry;
    CUnitFunction* child = registry.CreateFunctionWithID(20);
    child->name = "Child";
    CUnitFunction::AppendChild(registry.origin, child);
    child->header.objectData = "object";
    child->header.objectOriginalSize = 9;
    child->header.ownRequirements = {"R"};
    child->header.Work = 2.5f;
    child->header.uniqueLabel = "UL";
    for (quint8 kind = 0; kind <= 15; ++kind) {
        auto line = std::make_unique<CLogicLine>();
        line->lineKind = kind;
        line->calledInternalID = kind == 0 ? 20 : 0;
        line->Top = line->Next = line->Home = line->End = 4;
        line->slotCount = static_cast<quint8>(CLogicLine::SlotsOfKind(kind));
        for (int slot = 0; slot < line->slotCount; ++slot)
            line->textSlots[static_cast<std::size_t>(slot)].text = "text";
        line->SetMemo("memo");
        line->mark = 1;
        registry.origin->logicLines.push_back(std::move(line));
    }
    data.MemoText = "notes";
    registry.RebuildAndNotify(data.indexRoot, data.GetModelOptions());
    EXPECT_TRUE(SaveDocumentXml(data, path));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// Loads the bytes and saves them again; the saved bytes, empty when either step failed.
QByteArray Resave(const QByteArray& bytes, const QString& path) {
    CDocumentData data;
    data.SetDefaults();
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    if (LoadDocumentXml(buffer, data, 0) != LoadResult::Loaded)
        return {};
    if (!SaveDocumentXml(data, path))
        return {};
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Where two texts first differ, with some text around it.
std::string FirstDifference(const QByteArray& first, const QByteArray& second) {
    qsizetype at = 0;
    while (at < first.size() && at < second.size() && first[at] == second[at])
        ++at;
    const qsizetype from = std::max<qsizetype>(at - 200, 0);
    return (first.mid(from, 400) + "\n<>\n" + second.mid(from, 400)).toStdString();
}

} // namespace

// Every number the file holds, set to each boundary value: what the first load makes of it is what every later
// save writes, so the file stops changing after one round trip.
TEST(NumberRoundTrip, BoundaryValuesAreStableAfterTheFirstRoundTrip) {
    platform::ScriptedMessageSink messages;
    QTemporaryDir dir;
    const QString path = dir.filePath("numbers.nuv");
    const QByteArray rich = RichDocument(path);
    ASSERT_FALSE(rich.isEmpty());
    const QRegularExpression number(QStringLiteral(R"re(="-?[0-9]+")re"));
    const long long values[] = {0,     -1,    1,     2,       127,     128,          255,          256,      32767,
                                32768, 65535, 65536, INT_MAX, INT_MIN, 4294967295LL, 4294967296LL, LLONG_MAX};
    for (const long long value : values) {
        QString text = QString::fromUtf8(rich);
        text.replace(number, QStringLiteral("=\"%1\"").arg(value));
        // The version of the file format stays what it is.
        const QByteArray first = Resave(text.toUtf8(), path);
        ASSERT_FALSE(first.isEmpty()) << value;
        const QByteArray second = Resave(first, path);
        EXPECT_TRUE(first == second) << value << "\n" << FirstDifference(first, second);
    }
}
