#include "settings/ui/SharedFontChoice.h"

#include "platform/ui/PropertySheet.h"

void CSharedFontChoice::Share(QWidget& page, const FontSetting* place, const FontSetting& font) {
    for (CPropertyPage* other : page.window()->findChildren<CPropertyPage*>()) {
        if (other == &page)
            continue;
        if (auto* editor = dynamic_cast<CSharedFontChoice*>(other))
            editor->FontChosenElsewhere(place, font);
    }
}
