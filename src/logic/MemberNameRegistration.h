#pragma once

#include <QString>

class CDocumentData;
class CInspectionView;

// Registers the member name and every state named with it in if, Do and Transit State lines, reporting in the
// result pane. Nothing happens for an empty name or without the pane. Returns true when the document changed.
bool RegisterMemberName(CDocumentData& data, const QString& memberName, CInspectionView* resultPane);
