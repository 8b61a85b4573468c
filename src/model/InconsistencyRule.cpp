#include "model/InconsistencyRule.h"

void CInconsistencyRule::Init() {
    conditions.fill(UnitSentence());
    message.clear();
}
