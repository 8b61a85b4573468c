#include "app/NUVDocManager.h"

#include "app/ApplicationShell.h"
#include "app/NUVDoc.h"
#include "app/NUVMultiDocTemplate.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

#include <algorithm>

CNUVDocManager::CNUVDocManager(CApplicationShell& shell) : m_shell(shell) {}

CNUVDocManager::~CNUVDocManager() = default;

void CNUVDocManager::AddDocTemplate(std::unique_ptr<CNUVMultiDocTemplate> docTemplate) {
    m_templates.push_back(std::move(docTemplate));
}

CNUVDoc* CNUVDocManager::OnFileNewWithMode(CUnitFunction* function) {
    if (m_templates.empty()) {
        platform::ShowMessageBox(LoadString(StringId::FailedToCreateDocument));
        return nullptr;
    }
    CNUVMultiDocTemplate* chosen = m_templates.front().get();
    if (m_templates.size() > 1) {
        std::vector<CNUVMultiDocTemplate*> offered;
        QStringList names;
        for (const auto& docTemplate : m_templates) {
            if (!docTemplate->GetDocumentName().isEmpty()) {
                offered.push_back(docTemplate.get());
                names << docTemplate->GetDocumentName();
            }
        }
        if (offered.empty())
            return nullptr;
        // One name to offer is taken without asking.
        const int index = offered.size() == 1 ? 0 : m_shell.ChooseDocTemplate(names);
        if (index < 0 || index >= static_cast<int>(offered.size()))
            return nullptr;
        chosen = offered[static_cast<size_t>(index)];
    }
    return chosen->OpenDocumentFileWithMode(function);
}

bool CNUVDocManager::CloseDocument(CNUVDoc* document) {
    return std::any_of(m_templates.begin(), m_templates.end(),
                       [document](const auto& docTemplate) { return docTemplate->CloseDocument(document); });
}

void CNUVDocManager::CloseAllDocuments() {
    for (const auto& docTemplate : m_templates)
        docTemplate->CloseAllDocuments();
}
