#pragma once

#include "interchange/InterchangeResult.h"

#include <QString>
#include <QStringList>

#include <vector>

class CDocumentData;
class CImportProgress;

// Reads a folder of the file system into the document: every file and folder below it becomes a unit function
// named after it (extension included; bytes of a name that are not UTF-8 show as replacement characters), a
// folder's entries the children of its unit function, in the order the file system lists them, at any depth.
// The folder itself names the origin, below which its entries are appended. Files are not opened; a link to a
// folder is taken as an entry but not entered, so a link loop ends.
class CFolderTreeReader {
public:
    // How many paths of entries that could not be read UnreadableText lists.
    static constexpr int ListedUnreadable = 5;

    // Lists everything below `folder` and checks that `data` has internal IDs for all of it. LimitExceeded, or
    // TooDeep as soon as an entry would lie deeper below the origin than kMaxOutlineDepth; nothing in `data` changes. A
    // folder that cannot be read contributes no entries and is counted.
    InterchangeResult Open(const QString& folder, const CDocumentData& data);
    // Names the origin after the folder and makes the unit functions of the listed entries below it, setting
    // the progress's range to their number and its position to each entry, until the progress is cancelled.
    // Incomplete or Cancelled leave what was made before in `data`; the caller rebuilds the document either way.
    InterchangeResult Import(CDocumentData& data, CImportProgress& progress);

    // The folders whose entries could not be read (the chosen one included) in the last Open.
    int Unreadable() const { return m_unreadable; }
    // What the user is told after the import: how many could not be read and the first paths; empty when none.
    QString UnreadableText() const;

private:
    struct Entry {
        QString name;
        int depth = 0; // 0 for the folder's own entries
    };

    void CountUnreadable(const QString& path);

    QString m_folderName;
    // Every entry, each folder's entries right after it.
    std::vector<Entry> m_entries;
    int m_unreadable = 0;
    QStringList m_unreadablePaths;
    bool m_opened = false;
};
