#pragma once

#include <QString>

class CAbstractIndexItem;
class CEnvironmentOptions;
struct ModelOptions;

// The text exports of the File menu, written in the process code page (CP932, CR LF, no byte-order mark).

// The outline-ordered table of contents of the item and its descendants, depth-first, one line each: a tab
// per level below `depth` 0, the item's own outline number and a blank when the index shows numbers, the
// display text, and " (places)" when the index shows places and the unit function's places differ from the
// item's own number.
QString BuildOutlineIndexText(const CAbstractIndexItem& item, int depth, const CEnvironmentOptions& options,
                              const ModelOptions& modelOptions);

// The text written in the process code page to `path`; false when it could not be written, with `failure` saying
// why, and then a file that was there is left as it was. `replaced` takes the number of characters the code page
// cannot hold, written as "?".
bool WriteProcessCodePageFile(const QString& path, const QString& text, qsizetype& replaced, QString& failure);

// The name an export proposes: the one chosen last; else the document's path with its extension replaced by
// "_" and `fileName`; else `fileName` alone.
QString ProposeExportFileName(const QString& remembered, const QString& documentPath, const QString& fileName);

// Where a file prompt opens for a remembered or proposed name: the nearest of its folders that exists, and its file
// name. A name without a folder of its own gives no folder; the prompt then opens where it would anyway.
struct FilePromptStart {
    QString folder;
    QString fileName;
};
FilePromptStart StartOfFilePrompt(const QString& name);
