#pragma once

#include <QBuffer>
#include <QFile>
#include <QString>

#include <memory>

namespace platform {

// Replaces the content of a file so that a failure at any moment leaves the file as it was.
//
// The new content normally goes to a temporary file beside the target, which is flushed, synced, given the
// target's permission bits (and owner, where we may) and renamed over it. That cannot work where no file may
// be made in the target's folder, and it would cut a file with other hard links off from them. There the
// whole new content is collected first and then written into the file itself; the old content waits in a
// file of the user's own cache folder until the new one is written, flushed and synced, and a write that
// fails puts the old content back.
//
// Only regular files (or links to one) that the user may write are replaced, and never one marked read-only for
// everybody (which binds the superuser too).
class FileReplacement {
public:
    enum class Refusal {
        None,
        NotRegularFile, // a folder, device, pipe, socket or dangling link
        ReadOnly,       // no write permission bit at all
    };

    explicit FileReplacement(const QString& path);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Gets ready to take the new content. False when the target is refused (Refused()) or cannot be written
    // by either way (ErrorText()).
    bool Open();
    // Where the new content goes, between Open and Commit.
    QIODevice& Device();
    // Makes the new content the file's. False, with the file as it was, when any step failed.
    bool Commit();
    // Drops the new content; the file stays as it was.
    void Cancel();

    Refusal Refused() const { return m_refusal; }
    // The system's reason of the last failure.
    QString ErrorText() const { return m_errorText; }
    // Whether the content is written into the file itself (known after Open).
    bool WritesInPlace() const { return m_inPlace; }

    // The folder that keeps the old content of a file while it is written in place.
    static QString BackupDirectory();

private:
    bool OpenBeside();
    bool OpenInPlace();
    bool CommitInPlace();
    bool CommitBeside();
    void FailWithErrno(int error);

    QString m_path;       // as given
    QString m_targetPath; // the file itself, links followed
    bool m_targetExists = false;
    unsigned m_mode = 0;
    unsigned m_owner = 0;
    unsigned m_group = 0;
    bool m_inPlace = false;
    QString m_temporaryPath;
    std::unique_ptr<QFile> m_temporaryFile;
    QByteArray m_content;
    QBuffer m_buffer;
    Refusal m_refusal = Refusal::None;
    QString m_errorText;
};

} // namespace platform
