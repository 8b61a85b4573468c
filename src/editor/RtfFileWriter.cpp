#include "editor/RtfFileWriter.h"

#include "model/DocumentData.h"
#include "model/ExportMessages.h"
#include "model/UnitFunction.h"

QByteArray CRtfFileWriter::Assemble() const {
    QByteArray text = "{" + header + "\n{\\fonttbl";
    for (size_t i = 0; i < fonts.size(); ++i)
        text += "{\\f" + QByteArray::number(static_cast<int>(i)) + fonts[i] + "}";
    text += "}\n{\\colortbl ;";
    for (const QByteArray& colour : colours)
        text += colour + ";";
    text += "}\n" + body + "}";
    return text;
}

bool CRtfFileWriter::WriteToFile(const QString& path) const {
    if (path.isEmpty())
        return false;
    const QByteArray text = Assemble();
    // Replaced as every saved file is: a failed export leaves the file that was there.
    if (const std::optional<QString> failure = ReplaceFileContent(path, text)) {
        ShowCannotWriteFileMessage(path, *failure);
        return false;
    }
    return true;
}

QByteArray EscapeRtfText(const QString& text) {
    QByteArray escaped;
    escaped.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            // A CR LF pair is one paragraph end.
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            escaped += "\\par\n";
        } else if (c == u'\n') {
            escaped += "\\par\n";
        } else if (c == u'\t') {
            escaped += "\\tab ";
        } else if (c == u'\\' || c == u'{' || c == u'}') {
            escaped += '\\';
            escaped += static_cast<char>(c.unicode());
        } else if (c.unicode() < 0x20) {
            // Other control characters have no place in RTF text.
        } else if (c.unicode() < 0x80) {
            escaped += static_cast<char>(c.unicode());
        } else {
            // \u takes a signed 16-bit number; surrogate pairs go as their two halves.
            escaped += "\\u" + QByteArray::number(static_cast<qint16>(c.unicode())) + "?";
        }
    }
    return escaped;
}

namespace {

QByteArray FontSizeControl(const FontSetting& font) {
    // Tenths of a point to the half points of \fs.
    return "\\fs" + QByteArray::number(std::max(1, font.pointSize / 5));
}

QByteArray EffectControls(const FontSetting& font) {
    QByteArray controls;
    if (font.bold)
        controls += "\\b";
    if (font.italic)
        controls += "\\i";
    if (font.underline)
        controls += "\\ul";
    return controls;
}

} // namespace

CRtfFileWriter MakeFunctionContentRtf(const CDocumentData& document, const std::vector<CUnitFunction*>& functions) {
    const FontSetting& font = document.fonts.ExplanationFont;
    const QString face = font.faceName.isEmpty() ? GetDefaultUIFontName() : font.faceName;
    CRtfFileWriter writer;
    writer.header = "\\rtf1\\ansi\\ansicpg932\\deff0";
    writer.fonts.push_back("\\fnil\\fcharset128 " + EscapeRtfText(face) + ";");
    const quint32 colour = font.colour;
    writer.colours.push_back("\\red" + QByteArray::number(colour & 0xFF) + "\\green" +
                             QByteArray::number((colour >> 8) & 0xFF) + "\\blue" +
                             QByteArray::number((colour >> 16) & 0xFF));
    const bool distinguish = document.GetModelOptions().DistinguishPrimaryOutlineNumber;
    const QByteArray size = FontSizeControl(font);
    for (const CUnitFunction* function : functions) {
        const QString heading = function->GetOutlineNumberText(distinguish) + u' ' + function->name;
        writer.body += "{\\pard\\f0" + size + "\\cf1\\b " + EscapeRtfText(heading) + "\\par}\n";
        writer.body += "{\\pard\\f0" + size + "\\cf1" + EffectControls(font) + " " +
                       EscapeRtfText(function->header.contentText) + "\\par}\n";
    }
    writer.count1 = static_cast<int>(functions.size());
    return writer;
}
