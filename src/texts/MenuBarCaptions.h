#pragma once

#include <QString>

#include <vector>

struct CMessageContext;

// The captions of the menu bar's first top-level buttons, chosen by how many buttons the bar holds
// (the document menu, the menu without a document). Buttons beyond the result keep their own captions.
std::vector<QString> MakeMenuBarButtonCaptions(const CMessageContext& context, int buttonCount);
