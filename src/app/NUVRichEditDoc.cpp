#include "app/NUVRichEditDoc.h"

#include "app/MainFrameCommandIds.h"
#include "app/NUVCntrItem.h"
#include "app/NUVDoc.h"
#include "app/OpenDocument.h"

CNUVRichEditDoc::CNUVRichEditDoc(COpenDocument& document) : m_document(document) {}

CNUVRichEditDoc::~CNUVRichEditDoc() = default;

CNUVCntrItem& CNUVRichEditDoc::CreateClientItem() {
    m_items.push_back(std::make_unique<CNUVCntrItem>(this));
    return *m_items.back();
}

void CNUVRichEditDoc::UpdateAllViews() const {
    if (m_updateViews)
        m_updateViews();
}

bool CNUVRichEditDoc::OnCmdMsg(int id) {
    if (id != MainFrameCommand::FileClose)
        return RouteSaveCommand(m_document, id);
    m_document.OnFileClose();
    return true;
}
