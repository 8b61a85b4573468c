#include "logic/IntraMemberConsistencyRule.h"

void CIntraMemberConsistencyRule::Init() {
    *this = CIntraMemberConsistencyRule();
}
