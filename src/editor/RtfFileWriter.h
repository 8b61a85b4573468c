#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

class CDocumentData;
class CUnitFunction;

// Assembles an RTF file from a header, a font table, a colour table and a body, all 8-bit texts the caller
// has already escaped.
class CRtfFileWriter {
public:
    // One font definition each, written as "{\f<index><text>}".
    std::vector<QByteArray> fonts;
    // One colour definition each, written followed by ";".
    std::vector<QByteArray> colours;
    int count1 = 0;
    int count2 = 0;
    // Written right after the opening brace.
    QByteArray header;
    QByteArray body;

    // The whole file: both tables are written even when empty.
    QByteArray Assemble() const;
    // Creates or truncates the file; a file that cannot be written is reported to the user and gives false.
    // An empty path gives false without a message.
    bool WriteToFile(const QString& path) const;
};

// The text as RTF body text: the RTF specials escaped, line breaks as paragraph ends and every character
// outside ASCII as a Unicode escape with "?" for readers that do not know it.
QByteArray EscapeRtfText(const QString& text);

// The content texts of the unit functions, in the given order, as one RTF document: each unit function's
// outline number and name as a bold heading, then its content in the document's content font. The face
// names stay those the document gives.
CRtfFileWriter MakeFunctionContentRtf(const CDocumentData& document, const std::vector<CUnitFunction*>& functions);
