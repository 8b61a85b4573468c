#include "generators/RequirementItems.h"

#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

bool AcceptRequirementItems(QStringList& items, CUnitFunction& function, CDocumentData& data) {
    if (items.contains(QString())) {
        if (!platform::AskOkCancel(LoadString(StringId::RequirementEmptyItemQuestion)))
            return false;
        items.removeAll(QString());
    }
    for (const QString& item : items) {
        if (items.count(item) > 1) {
            const QString duplicate = item;
            if (platform::AskOkCancel(LoadString(StringId::RequirementDuplicateQuestion).arg(duplicate)))
                items.removeAll(duplicate);
            return false;
        }
    }
    function.header.ownRequirements = std::set<QString>(items.begin(), items.end());
    data.RebuildAndRefresh(data.GetModelOptions());
    return true;
}
