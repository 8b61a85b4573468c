#include "app/NUVRichEditDoc.h"

#include "app/MainFrameCommandIds.h"
#include "app/NUVApp.h"
#include "app/NUVCntrItem.h"
#include "app/NUVDoc.h"

CNUVRichEditDoc::CNUVRichEditDoc(CNUVApp& app) : m_app(app) {}

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
        return RouteSaveCommand(m_app, id);
    m_app.OnFileClose();
    return true;
}
