#include "platform/InstanceTable.h"

#include <algorithm>
#include <cstring>

namespace {

QString ReadText(const char16_t* text, int capacity) {
    const char16_t* end = std::find(text, text + capacity, u'\0');
    return QString::fromUtf16(text, end - text);
}

void WriteText(char16_t* target, int capacity, const QString& text) {
    const int length = std::min<int>(text.size(), capacity - 1);
    std::memset(target, 0, capacity * sizeof(char16_t));
    std::memcpy(target, text.utf16(), length * sizeof(char16_t));
}

} // namespace

QString InstanceRecord::Path() const {
    return ReadText(path, kInstancePathLength);
}

QString InstanceRecord::Caption() const {
    return ReadText(caption, kInstanceCaptionLength);
}

void InstanceRecord::SetPath(const QString& text) {
    WriteText(path, kInstancePathLength, text);
}

void InstanceRecord::SetCaption(const QString& text) {
    WriteText(caption, kInstanceCaptionLength, text);
}

int InstanceTable::UsedCount() const {
    return count >= 0 && count <= kMaxInstances ? count : 0;
}

bool InstanceTable::ExitChosenBetween(uint32_t start, uint32_t now) const {
    // Counted on from `start`, as the 32 bits of a moment run over.
    return static_cast<uint32_t>(exitStamp - start) <= static_cast<uint32_t>(now - start);
}

bool InstanceTable::Register(const InstanceRecord& record) {
    const int used = UsedCount();
    if (used >= kMaxInstances)
        return false;
    records[used] = record;
    count = used + 1;
    return true;
}

const InstanceRecord*
InstanceTable::FindOpen(const std::function<bool(const InstanceRecord& record)>& isDocument) const {
    for (int i = 0; i < UsedCount(); ++i) {
        const InstanceRecord& record = records[i];
        if (record.state >= 1 && record.state <= 3 && isDocument(record))
            return &record;
    }
    return nullptr;
}

InstanceRecord* InstanceTable::Find(uint32_t processId) {
    InstanceRecord* end = records + UsedCount();
    InstanceRecord* found =
        std::find_if(records, end, [processId](const InstanceRecord& record) { return record.processId == processId; });
    return found != end ? found : nullptr;
}

bool InstanceTable::Update(uint32_t processId, const InstanceRecord& record) {
    InstanceRecord* found = Find(processId);
    if (found)
        *found = record;
    return found;
}

bool InstanceTable::Remove(uint32_t processId) {
    const int used = UsedCount();
    for (int i = 0; i < used; ++i) {
        if (records[i].processId == processId) {
            std::memmove(&records[i], &records[i + 1], (used - i - 1) * sizeof(InstanceRecord));
            count = used - 1;
            return true;
        }
    }
    return false;
}

int InstanceTable::DropStale(const std::function<bool(uint32_t processId)>& isAlive) {
    const int used = UsedCount();
    int kept = 0;
    for (int i = 0; i < used; ++i) {
        if (!isAlive(records[i].processId))
            continue;
        if (kept != i)
            records[kept] = records[i];
        ++kept;
    }
    count = kept;
    return used - kept;
}
