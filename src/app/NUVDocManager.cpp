#include "app/NUVDocManager.h"

#include "app/NUVDoc.h"
#include "app/NUVMultiDocTemplate.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

#include <algorithm>

namespace {

// The framework's prompt when no document can be created.

} // namespace

CNUVDocManager::CNUVDocManager() = default;

CNUVDocManager::~CNUVDocManager() = default;

void CNUVDocManager::AddDocTemplate(std::unique_ptr<CNUVMultiDocTemplate> docTemplate) {
    m_templates.push_back(std::move(docTemplate));
}

CNUVDoc* CNUVDocManager::OnFileNewWithMode(CUnitFunction* function) {
    // Only the tab template offers new documents, so there is never a choice to ask the user about.
    if (m_templates.empty()) {
        platform::ShowMessageBox(LoadString(StringId::FailedToCreateDocument));
        return nullptr;
    }
    return m_templates.front()->OpenDocumentFileWithMode(function);
}

bool CNUVDocManager::CloseDocument(CNUVDoc* document) {
    return std::any_of(m_templates.begin(), m_templates.end(),
                       [document](const auto& docTemplate) { return docTemplate->CloseDocument(document); });
}

void CNUVDocManager::CloseAllDocuments() {
    for (const auto& docTemplate : m_templates)
        docTemplate->CloseAllDocuments();
}
