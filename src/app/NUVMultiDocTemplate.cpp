#include "app/NUVMultiDocTemplate.h"

#include "app/NUVDoc.h"

CNUVMultiDocTemplate::CNUVMultiDocTemplate(COpenDocument& document, QString documentName)
    : m_document(document), m_documentName(std::move(documentName)) {}

CNUVDoc* CNUVMultiDocTemplate::OpenDocumentFileWithMode(CUnitFunction* function) {
    auto document = std::make_unique<CNUVDoc>(m_document);
    document->m_pUnitFunction = function;
    m_documents.push_back(std::move(document));
    return m_documents.back().get();
}

bool CNUVMultiDocTemplate::CloseDocument(CNUVDoc* document) {
    return std::erase_if(m_documents, [document](const auto& made) { return made.get() == document; }) > 0;
}

void CNUVMultiDocTemplate::CloseAllDocuments() {
    m_documents.clear();
}
