#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class CDocumentData;

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
};
