#include "model/DefaultSourceCodeTemplate.h"

#include <QStringList>

QString GetDefaultSourceCodeTemplate() {
    static const QStringList lines = {
        QStringLiteral("/*--------------------------------<N>"),
        QStringLiteral("<R="),
        QStringLiteral("\t| <o> <E=<n>;(単位機能名が空です);<n>><N>"),
        QStringLiteral("\t| 原要求項目: <E=<r>;(なし);<r>><N>"),
        QStringLiteral("\t<E=<u>;;| ユニークラベル: <u><N>>"),
        QStringLiteral("\t<E=<a>;;| 機能属性: <a> (<ae>)<N>>;"),
        QStringLiteral("/*;__;*/;__>"),
        QStringLiteral("--------------------------------*/<N>"),
        QStringLiteral("<E=<c>;/* コードシンボルがありません。 */;void <c> ()<N>{<N>}><N>"),
        QStringLiteral("<N>"),
        QStringLiteral("<N>"),
    };
    return lines.join(QStringLiteral("\r\n"));
}
