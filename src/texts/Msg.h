#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

struct CMessageContext;

// The UI texts: each is built afresh from the message context, in Japanese when its language is 1 and in
// English otherwise, from fixed pieces and words of the user-editable wording table.
namespace Msg {

enum class Id : std::uint16_t {
#define NUV_MSG(name, arity) name,
#include "texts/MsgList.inc"
#undef NUV_MSG
    Count
};

// The text of one row; the arguments fill its argument pieces in order.
QString Text(const CMessageContext& context, Id id, const QStringList& arguments = {});

#define NUV_MSG_DECLARE_0(name) QString name(const CMessageContext& context);
#define NUV_MSG_DECLARE_1(name) QString name(const CMessageContext& context, const QString& argument1);
#define NUV_MSG_DECLARE_2(name)                                                                                        \
    QString name(const CMessageContext& context, const QString& argument1, const QString& argument2);
#define NUV_MSG(name, arity) NUV_MSG_DECLARE_##arity(name)
#include "texts/MsgList.inc"
#undef NUV_MSG
#undef NUV_MSG_DECLARE_0
#undef NUV_MSG_DECLARE_1
#undef NUV_MSG_DECLARE_2

} // namespace Msg
