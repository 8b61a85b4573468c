#pragma once

#include "interchange/InterchangeResult.h"

#include <QString>

#include <vector>

class CDocumentData;
class CImportProgress;

// Reads a folder of the file system into the document: every file and folder below it becomes a unit function
// named after it (extension included), a folder's entries the children of its unit function, in the order the
// file system lists them. The folder itself names the origin, below which its entries are appended. Files are
// not opened; a link to a folder is taken as an entry but not entered, so a link loop ends.
class CFolderTreeReader {
public:
    // Lists everything below `folder` and checks that `data` has internal IDs for all of it. LimitExceeded;
    // nothing in `data` changes. A folder that cannot be read contributes no entries.
    InterchangeResult Open(const QString& folder, const CDocumentData& data);
    // Names the origin after the folder and makes the unit functions of the listed entries below it, setting
    // the progress's range to their number and its position to each entry, until the progress is cancelled.
    // Incomplete or Cancelled leave what was made before in `data`; the caller rebuilds the document either way.
    InterchangeResult Import(CDocumentData& data, CImportProgress& progress);

private:
    struct Entry {
        QString name;
        int depth = 0; // 0 for the folder's own entries
    };

    QString m_folderName;
    // Every entry, each folder's entries right after it.
    std::vector<Entry> m_entries;
    bool m_opened = false;
};
