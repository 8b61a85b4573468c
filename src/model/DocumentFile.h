#pragma once

#include "model/MemberDefinition.h"

#include <QString>

#include <optional>

class CDocumentData;
struct CMessageContext;
class CUnitFunctionRegistry;
class QIODevice;
namespace platform {
struct DocumentFileWrite;
}

// Outcome of reading a document file.
enum class LoadResult {
    Loaded = 0,
    EmptyFile = 1,
    MalformedXml = 2,
    NoRootElement = 3, // no "NUV" element
    NoDocumentElement = 4,
    NoSuchVersion = 5, // the stored version asked for is not in the file
    TooDeep = 6,       // the table of contents nests deeper than kMaxOutlineDepth
    TooLarge = 7,      // larger than MaxDocumentFileBytes(): refused before it is read
    OutOfMemory = 8,   // memory ran out while another document was read (never for the document opened)
};

// The largest document file a reader takes in: what the memory the process may have holds of the file's bytes, its
// parsed tree and the records read from it.
qint64 MaxDocumentFileBytes();
// What to say of the document file at `path` that was not read (`result`), when the file or the memory says why;
// else `otherwise`. Unless memory ran out, UnreadDocumentBackupsText follows.
QString UnreadDocumentText(const CMessageContext& context, const QString& path, LoadResult result,
                           const QString& otherwise);

// The layout a save writes: the current one, or the older one that the export for older readers writes.
enum class DocumentFormat { Current, Older };

// A new stored version as the version dialog hands it over.
struct VersionHistoryEntry {
    int Major = 0;
    int Minor = 0;
    QString Time; // "%Y/%m/%d %H:%M:%S"
    QString Author;
    QString Comment;
};

// Reads the whole file into the record: the current content (versionNumber 0) or the stored version of that
// number. Older and unknown format versions are read after a notice. A file larger than the bound is refused before
// any byte of it is read. `digest`, when given, gets the digest of the bytes read (platform::ContentDigest).
LoadResult LoadDocumentXml(QIODevice& file, CDocumentData& data, int versionNumber,
                           std::optional<quint64>* digest = nullptr);

// Before a document file is read: tells the user in one message where the old content of the file waits when a
// save in place was killed after it had begun to write the file, and in another where it waits when another program
// wrote into the file during a save, which may have damaged it. Each backup is told of once and stays under the name
// told. Reading removes nothing: what killed saves left goes at the next save (platform::FileReplacement).
void ReportInterruptedSaves(const QString& path);
// Where every backup of the document file at `path` that saves in place completed keeps what it held before, whether
// their writers are gone or not and whether they were told of (platform::FileReplacement::Backups): said each time the
// file is not read. Empty when there is none.
QString UnreadDocumentBackupsText(const QString& path);

// Saves never harm the file already there: the text replaces it only when every write succeeded, and a
// failed save leaves it as it was, so a save names the file, not a device: the new content goes to a file
// beside it first. Only regular files (or links to one) not marked read-only for everybody are written, and no
// document that another holds (platform::DocumentHolder; `own` gives the writer's own hold of the document it saves
// into, and the file it must find there): that is refused with the in-use message. On failure the reason is put in
// errorText, and a refusal in `own`.
bool SaveDocumentXml(CDocumentData& data, const QString& path, QString* errorText = nullptr,
                     DocumentFormat format = DocumentFormat::Current, platform::DocumentFileWrite* own = nullptr);
// Whether a new stored version can get a number of its own: one above every stored version's number.
bool HasFreeVersionNumber(const CDocumentData& data);
// Saves and adds the current content as a new stored version (the caller keeps to ten versions). Refused,
// with nothing written, when no number is free.
bool SaveDocumentXmlWithHistory(CDocumentData& data, const QString& path, const VersionHistoryEntry& entry,
                                QString* errorText = nullptr, platform::DocumentFileWrite* own = nullptr);
// The indented copy of the current content, without stored versions.
bool WriteDocumentXmlFile(CDocumentData& data, const QString& path, QString* errorText = nullptr);

// The reads of another document below say that memory ran out through their result, and fill in nothing before the
// file is parsed: the document that is open stays as it was.
// Partial import from another document file: its environment, without its title and file names.
LoadResult ImportEnvironmentFromDocument(QIODevice& file, CDocumentData& data);
// Partial import: the other document's member definitions merged into this document's.
LoadResult ImportMemberNamesFromDocument(QIODevice& file, CDocumentData& data);
// The unit functions of another document file (the element an import reads) into a registry of their own, which
// is emptied first; the caller rebuilds it.
LoadResult ReadFunctionsFromDocument(QIODevice& file, CUnitFunctionRegistry& registry);
// The member definitions of another document file, without merging them.
LoadResult ReadMemberNamesFromDocument(QIODevice& file, MemberDefinitionList& members);
