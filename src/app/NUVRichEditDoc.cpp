#include "app/NUVRichEditDoc.h"

#include "app/MainFrameCommandIds.h"
#include "app/NUVApp.h"
#include "app/NUVCntrItem.h"

namespace {

constexpr int kCommandFileClose = 57602;

} // namespace

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
    switch (id) {
    case MainFrameCommand::FileSave:
        m_app.OnFileSave();
        return true;
    case MainFrameCommand::FileSaveAs:
        m_app.OnFileSaveAs();
        return true;
    case kCommandFileClose:
        m_app.CloseDocument();
        return true;
    default:
        return false;
    }
}
