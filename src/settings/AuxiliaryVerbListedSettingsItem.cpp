#include "settings/AuxiliaryVerbListedSettingsItem.h"

#include "model/TextUtilities.h"

bool CAuxiliaryVerbListedSettingsItem::IsInvalid() const {
    return ContainsBracketChars(text);
}
