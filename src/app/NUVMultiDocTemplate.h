#pragma once

#include <QString>

#include <memory>
#include <vector>

class COpenDocument;
class CNUVDoc;
class CUnitFunction;

// The template of unit-function tabs: it makes a tab document with its unit function already attached,
// before anything else sees the document, and owns the documents it made.
class CNUVMultiDocTemplate {
public:
    CNUVMultiDocTemplate(COpenDocument& document, QString documentName);

    // The name new tab documents get, what the window title shows for a new document and what the template
    // chooser offers; empty for a template that makes no new documents of its own.
    const QString& GetDocumentName() const { return m_documentName; }

    // A new tab document showing `function`.
    CNUVDoc* OpenDocumentFileWithMode(CUnitFunction* function);
    const std::vector<std::unique_ptr<CNUVDoc>>& Documents() const { return m_documents; }
    // Destroys the document; false when this template did not make it.
    bool CloseDocument(CNUVDoc* document);
    void CloseAllDocuments();

private:
    COpenDocument& m_document;
    QString m_documentName;
    std::vector<std::unique_ptr<CNUVDoc>> m_documents;
};
