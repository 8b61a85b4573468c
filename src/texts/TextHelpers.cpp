#include "texts/TextHelpers.h"

#include "texts/MessageContext.h"

QString CapitalizeFirstLetter(QString text) {
    if (!text.isEmpty() && text[0] >= u'a' && text[0] <= u'z') {
        text[0] = QChar(text[0].unicode() - 32);
    }
    return text;
}

QString MakeMenuItemText(const CMessageContext& context, const QString& text, const QString& mnemonic) {
    // Four ampersands per literal one: the caption is unescaped twice before it is shown.
    QString caption = text;
    caption.replace(u'&', QStringLiteral("&&&&"));
    if (mnemonic.isEmpty()) {
        return caption;
    }
    if (context.m_language != 0) {
        return caption + QStringLiteral("(&") + mnemonic + u')';
    }
    return u'&' + caption;
}
