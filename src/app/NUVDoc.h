#pragma once

#include "model/OutlineNumber.h"

#include <QString>

#include <functional>
#include <memory>

class CDocumentData;
class CImportProgress;
class COpenDocument;
class CUnitFunction;

// The document object behind one unit-function tab. The content of the one open document lives in its
// record, which COpenDocument holds; a tab document only names the unit function it shows, holds the progress
// of an import while one runs and is the target of the document-level import commands. It never loads or
// saves a file itself.
class CNUVDoc {
public:
    explicit CNUVDoc(COpenDocument& document);
    ~CNUVDoc();
    CNUVDoc(const CNUVDoc&) = delete;
    CNUVDoc& operator=(const CNUVDoc&) = delete;

    CUnitFunction* m_pUnitFunction = nullptr; // not owned
    // The place in the table of contents the tab was opened from last; empty when it was not opened from there.
    OutlineNumber m_openedFrom;
    std::unique_ptr<CImportProgress> m_pProgressDlg;

    // What the tab window is captioned: the outline number of the place it stands for and the shortened name, as
    // the document's setting wants them; empty without a unit function.
    QString Caption(const CDocumentData& data) const;

    // What saves the converted document; it drops what it wrote when the check it is given, asked right before the
    // written document is committed, answers that the conversion is to stop.
    using SaveConverted = std::function<bool(const std::function<bool()>& stopRequested)>;

    // Converts the FreeMind map at `path` into the open document and then runs `save`; the conversion is
    // reported finished only once that succeeded. False after a failure, a cancelled walk or a save stopped before
    // its commit, each reported to the user.
    bool ConvertMindMapFile(const QString& path, const SaveConverted& save) { return ConvertMindMap(path, true, save); }
    // Asks for a FreeMind map and converts it into the open document as ConvertMindMapFile does, without
    // waiting for the user at the end; a document the map changed is marked modified.
    void OnImportMindMap();

    // Runs the tab document's command `id`: Save and Save As save the whole open document,
    // the map import imports. False for a command that is not the tab document's.
    bool OnCmdMsg(int id);

private:
    // `converter`: the converter's run, which shows the end of the conversion, once `save` succeeded, and waits
    // for the user there.
    bool ConvertMindMap(const QString& path, bool converter, const SaveConverted& save);

    COpenDocument& m_document;
};

// Save and Save As of a document that is part of the one open document (a tab's, a content's) save that whole
// document. False for another command.
bool RouteSaveCommand(COpenDocument& document, int id);

// "mm" for "D:\maps\Plan.mm": the text after the last "." anywhere in the path, empty without one.
QString GetFileExtension(const QString& path);
// The document beside the map: a final ".mm" in any case becomes ".nuv", any other name gets ".nuv" appended.
QString MakeConvertedFileName(const QString& path);
