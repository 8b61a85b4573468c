#include "texts/Msg.h"

#include "texts/MessageContext.h"
#include "texts/MsgTable.h"
#include "texts/TextHelpers.h"

namespace Msg {

QString Text(const CMessageContext& context, Id id, const QStringList& arguments) {
    const MsgTable::Row& row = MsgTable::RowOf(id);
    const MsgTable::Side& side = context.m_language == 1 ? row.japanese : row.english;
    QString text;
    for (const MsgTable::Piece& piece : side.pieces) {
        switch (piece.kind) {
        case MsgTable::PieceKind::Literal:
            text += QString::fromUtf8(piece.literal);
            break;
        case MsgTable::PieceKind::CapitalizedLiteral:
            text += CapitalizeFirstLetter(QString::fromUtf8(piece.literal));
            break;
        case MsgTable::PieceKind::Word:
            text += piece.word(context.m_settings);
            break;
        case MsgTable::PieceKind::Nested:
            text += Text(context, piece.nested);
            break;
        case MsgTable::PieceKind::Argument:
            text += arguments.value(piece.argument - 1);
            break;
        }
    }
    return side.capitalization == MsgTable::Capitalization::Whole ? CapitalizeFirstLetter(text) : text;
}

#define NUV_MSG_DEFINE_0(name)                                                                                         \
    QString name(const CMessageContext& context) {                                                                     \
        return Text(context, Id::name);                                                                                \
    }
#define NUV_MSG_DEFINE_1(name)                                                                                         \
    QString name(const CMessageContext& context, const QString& argument1) {                                           \
        return Text(context, Id::name, {argument1});                                                                   \
    }
#define NUV_MSG_DEFINE_2(name)                                                                                         \
    QString name(const CMessageContext& context, const QString& argument1, const QString& argument2) {                 \
        return Text(context, Id::name, {argument1, argument2});                                                        \
    }
#define NUV_MSG(name, arity) NUV_MSG_DEFINE_##arity(name)
#include "texts/MsgList.inc"
#undef NUV_MSG

} // namespace Msg
