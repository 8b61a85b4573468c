#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class CDocumentData;
struct VersionControlSettings;

// The rules of the version list: what it shows, whether another version may be stored, and removal.
class CVersionManager {
public:
    // One row per stored version, oldest first: number, time, author, comment.
    static std::vector<QStringList> Rows(const CDocumentData& data);
    // Whether a new version can be stored; else the reason the user is told: ten are stored already, or no
    // number is left for one.
    static bool CanStoreVersion(const CDocumentData& data, QString* refusal);
    // Removes the stored version at the index; false, with nothing changed, for an index out of range.
    static bool Remove(CDocumentData& data, int index);
    // The number by which the stored version at the index is opened from the document's file `path`; none for
    // an index out of range or a document without a file.
    static std::optional<int> OpenableVersion(const CDocumentData& data, const QString& path, int index);
    // Whether saving stores a new version and which part of its number rises; true when the options changed.
    static bool SetVersionOptions(CDocumentData& data, const VersionControlSettings& options);
};
