#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>

// The table of running instances that all processes of the program share. Its byte layout is fixed, since
// every process maps the same bytes: a count, 16 records of 1048 bytes packed without gaps, the moment of the last
// Exit.
constexpr int kMaxInstances = 16;
// The names, in the runtime folder, of the lock that guards the table and of the file that holds it.
inline const QString kInstanceMutexName = QStringLiteral("NUV Cnv Mutex Object 2.0");
inline const QString kInstanceMappingName = QStringLiteral("NUV Cnv Shared 2.0");
constexpr int kInstancePathLength = 260;    // UTF-16 units with the terminator
constexpr int kInstanceCaptionLength = 256; // UTF-16 units with the terminator

struct InstanceRecord {
    uint32_t processId;
    uint32_t mainWindow; // 0 when the process has no main window that can be asked to close
    char16_t path[kInstancePathLength];
    char16_t caption[kInstanceCaptionLength];
    // 1 when an Exit in another instance asked the process to close while it had no window yet; 0 otherwise.
    uint32_t closeAsked;
    int32_t state; // open mode of the process's document: 0 none, 1 editing, 2 read-only, 3 watched, 4 version

    QString Path() const;
    QString Caption() const;
    void SetPath(const QString& text);
    void SetCaption(const QString& text);
};

struct InstanceTable {
    int32_t count;
    InstanceRecord records[kMaxInstances];
    // When another instance's Exit was chosen last (see platform/ProcessStart.h): a process started before it that
    // was not in the table yet is asked to close as it registers.
    uint32_t exitStamp;

    // All of these expect the caller to hold the table's lock.

    // Copies the record into the next free slot; false when all 16 are in use.
    bool Register(const InstanceRecord& record);
    // First record of a document that is open (states 1 to 3) for which `isDocument` holds (see
    // platform::IsRecordDocument: the record keeps its path cut).
    const InstanceRecord* FindOpen(const std::function<bool(const InstanceRecord& record)>& isDocument) const;
    // The first record of `processId`; none when there is none.
    InstanceRecord* Find(uint32_t processId);
    // Overwrites the first record of `processId`; false when there is none.
    bool Update(uint32_t processId, const InstanceRecord& record);
    // Removes the first record of `processId`, moving the later ones down; false when there is none.
    bool Remove(uint32_t processId);
    // Removes every record whose process no longer runs; returns how many were removed.
    int DropStale(const std::function<bool(uint32_t processId)>& isAlive);
    // A count outside 0..16 cannot come from the program; treat such a table as empty rather than read past it.
    int UsedCount() const;
    // Whether the last Exit was chosen between the moments `start` and `now`, both included.
    bool ExitChosenBetween(uint32_t start, uint32_t now) const;
};

static_assert(sizeof(InstanceRecord) == 1048 && offsetof(InstanceRecord, path) == 8 &&
              offsetof(InstanceRecord, caption) == 528 && offsetof(InstanceRecord, closeAsked) == 1040 &&
              offsetof(InstanceRecord, state) == 1044);
static_assert(sizeof(InstanceTable) == 16776 && offsetof(InstanceTable, records) == 4 &&
              offsetof(InstanceTable, exitStamp) == 16772);
