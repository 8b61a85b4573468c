#pragma once

#include <QByteArray>
#include <QString>

// The bytes of a file; a file that cannot be read fails the test and gives none.
QByteArray ReadFileBytes(const QString& path);

// Writes a file with exactly these bytes, replacing it; a failed write fails the test.
void WriteFileBytes(const QString& path, const QByteArray& bytes);

// A file of `size` zero bytes that takes no room on disk: input far over a bound, made at once.
void WriteSparseFile(const QString& path, qint64 size);

// Writes `bytes` into the file at its start and sets its modification time back, as another program that hides its
// change does: only the time of change can tell. Returns whether that time stayed as well (coarse file times).
bool WriteWithTimeSetBack(const QString& path, const QByteArray& bytes);

// The bytes this process has read so far, from files and devices; -1 when the system does not say.
qint64 BytesReadByProcess();
