#include "model/xml/MemoTextElement.h"

#include "model/DocumentData.h"
#include "model/xml/FontTableElement.h"
#include "model/xml/XmlDocumentContext.h"

#include <QtEndian>

void WriteMemoText(XmlDocumentContext& context, pugi::xml_node documentElement) {
    const CDocumentData& data = *context.documentData;
    QByteArray bytes(data.MemoText.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < data.MemoText.size(); ++i)
        qToLittleEndian<quint16>(data.MemoText[i].unicode(), bytes.data() + 2 * i);
    pugi::xml_node memo =
        XmlAppendChildElement(context, documentElement, "MemoText",
                              XmlEncodeBinary(context, bytes.constData(), static_cast<std::size_t>(bytes.size())));
    WriteFontTable(context, memo, "Font", data.memoFont);
}

void ReadMemoText(XmlDocumentContext& context, pugi::xml_node memo) {
    CDocumentData& data = *context.documentData;
    if (!memo) {
        data.MemoText.clear();
        return;
    }
    const QByteArray bytes = XmlDecodeBinary(XmlGetElementText(memo));
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(qFromLittleEndian<quint16>(bytes.constData() + 2 * i));
    data.MemoText = text;
}
