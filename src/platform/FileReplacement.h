#pragma once

#include "platform/HookInstaller.h"

#include <QIODevice>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

struct stat;

namespace platform {

class DocumentFileLock;

// Told of each piece of a write in place before it goes out, so that a test can stop the process at any byte, and
// of each moment at which another program may change the file, so that a test can change it there.
class InPlaceWriteHook {
public:
    // The moments of a write in place after which it looks at the file again.
    enum class Moment {
        Opening,         // the file is about to be opened by its name: what the name leads to may change now
        Locked,          // the write has its lock: another writer has finished
        OldContentRead,  // the old content is read, to go to the backup
        BackupWritten,   // the backup is complete and named
        ContentCompared, // the file's content is compared with what it held when found, where its times cannot vouch
        FileWritten,     // the new content is written and synced
        ReadBack,        // the new content is read back (each time it is)
    };
    virtual ~InPlaceWriteHook() = default;
    // `done` bytes of the backup and of the file have been written so far, and `wanted` are to follow now (0
    // between the steps: backup synced, backup named, file synced). Returns how many of them to write now.
    virtual qint64 Writing(qint64 done, qint64 wanted) = 0;
    virtual void Reached(Moment) {}
};

class InPlaceWriteHookInstaller : public HookInstaller<InPlaceWriteHook> {
public:
    explicit InPlaceWriteHookInstaller(InPlaceWriteHook& hook);
};

// Told of each stretch of a temporary file before it goes out, so that a test can let the file system run out of
// room at any byte.
class TemporaryWriteHook {
public:
    virtual ~TemporaryWriteHook() = default;
    // `done` bytes of the temporary file are written, and `wanted` are to follow now. Returns 0, or the errno that
    // the write fails with.
    virtual int Writing(qint64 done, qint64 wanted) = 0;
    // The complete temporary file is about to take the file's name (exchanged with the file, or put where none is).
    // Returns 0, or the errno that this fails with (EINVAL: the file system cannot exchange names).
    virtual int Renaming() { return 0; }
    // The complete temporary file, or the backup folder, is about to be given permission bits. Returns 0, or the
    // errno that this fails with (EOPNOTSUPP: the file system cannot set bits).
    virtual int SettingBits() { return 0; }
    // The content of the file found, or of what the exchange brought out of its name, has been read to compare it with
    // what the file held when it was found (where its times cannot vouch for it).
    virtual void ContentCompared() {}
};

class TemporaryWriteHookInstaller : public HookInstaller<TemporaryWriteHook> {
public:
    explicit TemporaryWriteHookInstaller(TemporaryWriteHook& hook);
};

// Replaces the content of a file so that a failure at any moment leaves the file as it was.
//
// The new content normally goes to a temporary file beside the target, which is made readable by its owner only,
// flushed, synced, given what the target carries (owner and group, extended attributes with the access ACL among
// them, permission bits) and exchanged with it by name: what then has the temporary name is removed when it is the
// file found by Open, with its size and modification time, and keeps the time of change the exchange gave it while
// its content is compared (where that is to be), and else given its name back, the new content dropped
// (Refusal::Changed), so that a file another program puts in the target's place meanwhile is never lost. A new
// file gets the bits and ACL a file made in its folder gets, and its name only while nothing else has it. A file
// system that cannot exchange names has the file looked at right before the rename; one that cannot set permission
// bits at all (a share mounted through FUSE) gives a new file the bits it shows.
// That cannot work where no file may be made in the target's folder, it would cut a file with other hard links off
// from them, and it would change a file whose owner, group or an extended attribute cannot be given to a new file
// (another user's document in a shared folder), or whose bits the new file does not show where they cannot be set.
// There the whole new content is collected first and then written into the file itself; the old content waits in a
// backup in the user's cache folder (BackupDirectory, readable by the user only), written and synced (file and
// folder) before the first byte of the file is overwritten and removed only once the new content is synced and read
// back whole; a write that fails puts the old content back.
// The file is written only while it is as Open found it (device, inode, size, times), looked at again when it is
// opened, locked, read and backed up; a file another program wrote into meanwhile is left as that program left it
// (Refusal::Changed). One that does not read back as written, or changes while it is read back, was written into by
// another program during the write: it may be damaged, it is not taken for the file written, and its backup stays for
// the user under a name that says so (Refusal::Damaged). A temporary file that
// finds no room (the file system or the user's quota full) is given up for the same write in place: what it held
// is taken back into memory and it is removed, so that a save with room for the change but not for a second copy
// succeeds. A new file has nothing to be written into: the rest of its content is only counted, and the commit
// fails with the room the whole file wants. A write in place without room for its backup or for the file's growth
// fails with the room that would let it through (RoomWanted), in the file's folder or in the cache folder: one sum,
// the backup's and the growth's, when the two share a file system.
//
// The temporary file's name is one no person picks: ".NAME.nuvsave-PID-RANDOMCHECK", CHECK a digest of the
// rest, NAME the file's name cut so that the whole fits the file system's limit on names, with the longest process id
// and the ".kept" it may get later. The file made is renamed at once to such a name whose CHECK is a digest of the rest
// and of its inode, and takes part in an exchange of names only under it. A name that is not one
// of ours never passes for it, nor does a file another program put at its name: only the file made is removed. The
// writer holds a lock on its temporary file or backup while it works. What a
// process of the same user that died left (the id in the name is no process's here, and the lock is free) is found
// by the next write of the file, never by a read: its temporary files are removed, and its backups, named
// "NAME-HASH-PID-RANDOM.bak" in the cache folder after the file they hold (HASH from the file's absolute path), are
// kept for the user (LeftBackups), as are those of files written into by another program (".mixed.bak"), and the next
// open of the document says where they are, once: they stay under a name that says so (".kept.bak"). An open that
// cannot read the document says where all of its backups are, each time (Backups). Nothing else beside the file is
// touched, whatever its name.
//
// A write in place takes the file's lock (DocumentFileLock) for its duration, so that two of them never mix
// their content; the lock a document's holder in this process has is its own.
//
// Only regular files (or links to one) that the user may write are replaced, and never one marked read-only for
// everybody (which binds the superuser too), nor a document that an editor holds (DocumentHolder): this is the one
// gate every write of a file of ours passes, whatever the file is to hold.
//
// The file written is the one found when the write was opened, or the one its writer names (FileState): a link,
// another file put under its name or the file changed meanwhile is never written into (Refusal::Changed); one gone
// meanwhile is made anew, unless its writer named it. No write waits on a file's times: where they cannot vouch for
// its content (it changed within the tick of its file system's clock, or at a time ahead of the clock), its content
// is compared with what it held when it was found (or what its writer recorded) right before the last look at it,
// which comes right before it is replaced, as it is wherever its status alone moved meanwhile (new bits, an owner, a
// second name, an extended attribute, a time of access): a file that still holds it is the file found, and a new file
// takes its new status. Only a status that moves while the content of the file exchanged out is compared is not told
// from a write that sets the modification time back, nor could the new file take it by then (a second name would be
// cut off): the file gets its name back, and the write is refused (Refusal::Changed). Where another program saves the
// file by rename while its old file, found changed, is given its name back, that program's file keeps the name, and
// the one that had it before stays beside it under the temporary name and ".kept" (ErrorText()), or, where that name
// cannot be made, under the temporary name, which names the inode of another file, so that no later save removes it,
// whatever folder it is in by then. A write in place opens the file once, without following a link, and writes
// through that descriptor.
class FileReplacement {
public:
    // What a path leads to: nothing, or the file of that device and inode.
    struct FileId {
        bool exists = false;
        quint64 device = 0;
        quint64 inode = 0;
    };
    // A file with its size and times: as its writer found it, or as a write left it. The time of the last change
    // of content or status is the one no program can set back (a modification time can be), so every comparison of
    // two states compares it.
    struct FileState {
        FileId file;
        qint64 size = 0;
        qint64 modified = 0; // nanoseconds since the epoch
        qint64 changed = 0;  // nanoseconds since the epoch
        qint64 taken = 0;    // nanoseconds since the epoch: a moment right before the status was read; 0 unknown

        // The moment the tick of the file system's clock in which the file last changed has passed: from then on
        // every change of the file gives it another time of change. Within that tick another program's change that
        // keeps the size and sets the modification time back leaves the state as it was, and only the content
        // tells. A file system's tick is read off the times it keeps: whole seconds are taken for two (FAT keeps
        // two), finer ones for the unit they show, and never finer than the kernel's clock tick. A time too far off
        // to count (from 2262 on) has its tick pass never.
        qint64 TickPassed() const;
        // Whether every change of the file after the state was taken gives it another time of change: never for a
        // time of change ahead of the moment the state was taken.
        bool TimesVouch() const { return file.exists && taken != 0 && taken >= TickPassed(); }
    };

    // The state of the file of that status, read right after the moment `taken` (Now()).
    static FileState StateOf(const struct stat& info, qint64 taken = 0);
    // The clock a state's moment is read from, in nanoseconds since the epoch.
    static qint64 Now();
    // The state of the file open as `fd` now; nothing when it cannot be read.
    static std::optional<FileState> StateOfOpenFile(int fd);

    // Room that would have let a write through, in one folder, what the write takes on that folder's file system in
    // all (the whole file, with the backup where it goes there too), and all the room that file system has for the
    // user (-1 when unknown): a file system smaller than `needed` cannot take the write however much is freed.
    struct Room {
        QString folder;
        qint64 bytes = 0;
        qint64 needed = 0;
        qint64 capacity = -1;
        bool Possible() const { return capacity < 0 || needed <= capacity; }
    };

    enum class Refusal {
        None,
        NotRegularFile, // a folder, device, pipe, socket or dangling link
        ReadOnly,       // no write permission bit at all
        InUse,          // a document that an editor holds, under any name of the file; ErrorText() names the holder
        Changed,        // the path leads to another file than the one expected, or to one no more, or the file
                        // was changed since it was found
        Damaged,        // written in place, the file does not hold what was written (another program wrote into it
                        // meanwhile): it may be damaged, and ErrorText() names the backup that keeps its old content
    };

    explicit FileReplacement(const QString& path);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Gets ready to take the new content. False when the target is refused (Refused()) or cannot be written
    // by either way (ErrorText()). `ownHold` is this process's hold of the document that the write is the save of;
    // any other hold of the file refuses it. `expected` is what the path led to when the writer last looked, and
    // `expectedDigest` the digest (ContentDigest) of what it held then, where known: when the times of `expected`
    // cannot vouch for its content, the last look before the file is replaced compares the content too, as does a
    // look that finds its status alone moved. Without `expected`, the content found is read here.
    bool Open(const DocumentFileLock* ownHold = nullptr, const std::optional<FileState>& expected = std::nullopt,
              std::optional<quint64> expectedDigest = std::nullopt);
    // Where the new content goes, between Open and Commit.
    QIODevice& Device();
    // Makes the new content the file's. False, with the file as it was, when any step failed.
    bool Commit();
    // Drops the new content; the file stays as it was.
    void Cancel();

    Refusal Refused() const { return m_refusal; }
    // The system's reason of the last failure; for a file in use, the name of its holder; for a file changed, where
    // the file that had the name before another program put its own there was kept.
    QString ErrorText() const { return m_errorText; }
    // Whether the content is written into the file itself: known after Open, and turned on while the content is
    // written when its temporary file finds no room.
    bool WritesInPlace() const { return m_inPlace; }
    // When the last failure was the want of room: the folders where the room given would let the write through,
    // any one of them. Empty otherwise.
    const QList<Room>& RoomWanted() const { return m_roomWanted; }
    // The file the last Open found at the path (nothing when there was none), and the digest of what it held where
    // known: what an Open that starts the same write again expects there.
    const FileState& FoundFile() const { return m_target; }
    std::optional<quint64> FoundDigest() const { return m_expectedDigest; }
    // The file the last commit wrote, as it left it, failed or not: nothing when it did not write the file, or cannot
    // tell what the file holds (another program wrote into it, or a failed write could not put the old content back).
    const FileState& WrittenFile() const { return m_writtenFile; }
    // The digest of what WrittenFile holds (ContentDigest): the content the last commit wrote, or the old content a
    // failed write in place put back.
    quint64 WrittenDigest() const { return m_writtenDigest; }

    // The folder that keeps the old content of a file while it is written in place: "nuv" in the user's cache folder
    // (~/.cache/nuv), shared by every program of ours.
    static QString BackupDirectory();
    // Why a write in place left a backup of the file's old content: its process died during the write, or another
    // program wrote into the file meanwhile (Refusal::Damaged).
    enum class BackupCause { Killed, WrittenInto };
    // The backups of the file at `path` that processes which are gone left complete, for `cause`. Backups a dead
    // process had not completed (the file was not touched yet) are removed.
    static QStringList LeftBackups(const QString& path, BackupCause cause = BackupCause::Killed);
    // The same backups, each given a name that no later look finds ("….kept.bak"), so that they are told of once:
    // the names under which they stay (the name found, where one cannot be given).
    static QStringList KeepLeftBackups(const QString& path, BackupCause cause);
    // Every backup of the file at `path` that a write in place completed, whether its writer is gone or not and
    // whether it was told of: where what the file held before those writes stays, for a file that cannot be read.
    static QStringList Backups(const QString& path);

private:
    class Output;

    // Removes the temporary files that writes of the file at `path` left when their process died.
    static void RemoveLeftTemporaries(const QString& path);
    // Makes the temporary file, owner-only and with the target's owner and group; false when it cannot be made so.
    bool OpenBeside();
    // Gives the temporary file just made, after `start` in `folder`, the name for its inode (TemporaryName), under
    // which alone it takes part in an exchange of names. Where it cannot be renamed so (a file system that cannot
    // rename without replacing, no room for the name), it keeps the name it was made under and is renamed over the
    // target after a look instead.
    void NameTemporaryForItsInode(const QString& folder, const QString& start);
    bool OpenInPlace();
    // The temporary file of a file there found no room (`noRoom`), or cannot be given what the target carries: the
    // content goes on in memory, to be written in place. False when the temporary file cannot be read back.
    bool FallBackInPlace(bool noRoom);
    // The temporary file found no room (`error`): the content goes on to be written in place, or for a new file is
    // only counted from now, for the room it wants. False when it can do neither.
    bool NoRoomBeside(int error);
    bool CommitInPlace();
    // Whether the file written in place through `fd` is still the one at the file's name.
    bool StillNamed(int fd) const;
    // Whether the file open as `fd` is still as Open found it; else the write is refused as Changed.
    bool StillAsFound(int fd);
    // Removes the temporary file, where its name still leads to the file made.
    void RemoveTemporary();
    // Opens the file for a write in place, without following a link; -1 when it is not the file found by Open.
    int OpenTarget();
    bool CommitBeside();
    // Gives the complete temporary file the target's name, where the file found by Open still has it (or, for a new
    // file, nothing has); false, the temporary file keeping its name, when another file has it (Refusal::Changed).
    bool TakeTargetsName();
    // The same for a name where no file is to be.
    bool TakeFreeName();
    // The temporary file was given the target's name, or not for `failed`: EEXIST when it has another file than the
    // one found by Open (or none where that was expected).
    bool NamingDone(int failed);
    // Whether the file at `path` (a link not followed) is the one found by Open, unchanged, or changed in its status
    // alone (StatusMovedAlone).
    bool IsFileFound(const QByteArray& path);
    // Whether the content of the file found must be compared before it is replaced: its times cannot vouch for it, and
    // what it held is known.
    bool ContentToCompare() const { return m_expectedDigest && !m_target.TimesVouch(); }
    // Whether the file at `path` (a link not followed) holds what the file found held, where that is to be compared.
    bool HoldsFoundContent(const QByteArray& path) const;
    // Whether the file found, in the state `now` that differs from the one found at most in its time of change, still
    // holds what it held: `digest` reads it, while `lookAgain` shows that its state stayed. The file found is then
    // taken in that state.
    bool StatusMovedAlone(const FileState& now, const std::function<std::optional<FileState>()>& lookAgain,
                          const std::function<std::optional<quint64>()>& digest);
    // Reads the digest of what the file found at `path` holds, where it stays as found while it is read.
    void TakeFoundContent(const QByteArray& path);
    // Whether the file the exchange brought out of the target's name, now at `path`, is the one found, unchanged: by
    // its state right after the exchange, which moves its time of change alone, and where its content is compared,
    // by that content and by its state after the read, the time of change included, so that a status moved during
    // the read refuses the write.
    bool ExchangedOutIsFound(const QByteArray& path);
    // The file exchanged out of the target's name is not the one found: it gets the name back where it may (see the
    // class), and the write is refused (Refusal::Changed).
    bool GiveNameBack();
    // What has the temporary name is another program's file: it is kept beside under another name, said in
    // ErrorText() after the system's reason `error` of a failed rename, if any.
    bool KeepExchangedOut(int error);
    // The file open as `fd`, holding what has `digest`, is the one written.
    void NoteWritten(int fd, quint64 digest);
    // The state of the file open as `fd`, written in place with `content` and synced, when it holds exactly that, read
    // back, and nobody wrote into it while it was read; nothing when another program did. A file whose status alone
    // changed meanwhile (new bits, a second name) is read again to tell, as is one whose times could not vouch for it
    // while it was read, once its file system's tick has passed; it is never read more than four times.
    std::optional<FileState> ReadBackState(int fd, const QByteArray& content);
    // Gives the temporary file the target's extended attributes and no other; false when one cannot be given.
    bool CarryAttributes(int fd);
    // Gives the temporary file the target's owner and group, where we may (the superuser, or a member of the group);
    // the change of owner clears set-id bits, which the commit gives back.
    bool CarryOwner(int fd) const;
    // Takes the target's status anew (bits, owner, group, names, extended attributes); false when it cannot be read.
    bool ReadTargetStatus();
    void TakeTargetStatus(const struct stat& info);
    // 0, or the errno of the step that failed.
    int MakeBackupDirectory(const QString& directory);
    bool WriteBackup(const QByteArray& old, qint64& done, int& backupFd, QString& backupPath);
    // A write in place of the file's old content `oldSize` found no room for its backup (`forBackup`) or for the
    // file's growth: the room that lets it through goes to RoomWanted.
    void WantRoom(qint64 oldSize, bool forBackup);
    // The system's reason of `error`, after the name of the file it concerns when that is not the target.
    void FailWithErrno(int error, const QString& file = QString());

    QString m_path;       // as given
    QString m_targetPath; // the file itself, links followed
    bool m_targetExists = false;
    unsigned m_mode = 0;
    unsigned m_owner = 0;
    unsigned m_group = 0;
    unsigned m_linkCount = 0;
    FileState m_target;                      // the file found by Open
    bool m_expected = false;                 // the writer named the file it expects
    std::optional<quint64> m_expectedDigest; // what the file found holds, where known
    FileState m_writtenFile;
    quint64 m_writtenDigest = 0;
    QList<std::pair<QByteArray, QByteArray>> m_attributes; // the target's extended attributes: names and values
    bool m_inPlace = false;
    bool m_noRoomBeside = false; // the temporary file found no room
    int m_noRoomError = 0;       // and the errno it failed with
    QList<Room> m_roomWanted;
    QString m_temporaryPath;
    FileId m_temporaryFile;        // the file made there
    bool m_temporaryNamed = false; // under the name for its inode
    std::unique_ptr<Output> m_output;
    Refusal m_refusal = Refusal::None;
    QString m_errorText;
};

// A save of a document into a file that its writer knows: the writer's own hold of it (see FileReplacement::Open),
// and what the path led to when the writer last looked, if the write must find that there. The write puts why it
// was refused, and the file it wrote, here.
struct DocumentFileWrite {
    const DocumentFileLock* hold = nullptr;
    std::optional<FileReplacement::FileState> expected;
    std::optional<quint64> expectedDigest; // of the content of `expected`, where known
    // Asked once the new content is complete, right before it is committed: true drops it (`stopped`), and the file
    // stays as it was.
    std::function<bool()> stopRequested;
    bool stopped = false;
    FileReplacement::Refusal refusal = FileReplacement::Refusal::None;
    // Refused as changed: where the file that had the name before another program put its own there was kept.
    QString kept;
    FileReplacement::FileState written;
    quint64 writtenDigest = 0;
};

} // namespace platform
