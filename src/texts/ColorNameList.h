#pragma once

#include <QString>

#include <vector>

struct CMessageContext;

// The sixteen colour names in palette order, so that a picker can take a name's position as the colour index.
void FillColorNameList(std::vector<QString>& names, const CMessageContext& context);
