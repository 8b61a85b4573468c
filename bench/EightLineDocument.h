#pragma once

#include "model/DocumentData.h"
#include "model/UnitFunctionRegistry.h"

#include <QString>

#include <memory>

// A document of count unit functions, each with a header, about 200 characters of Japanese content and
// eight logic lines; every unit function hangs below an earlier one. With changed, one unit function in a
// hundred has one line of other text.
inline std::unique_ptr<CDocumentData> MakeEightLineDocument(int count, bool changed = false) {
    const QString contentUnit = QStringLiteral("利用者が画面の登録ボタンを押したとき、入力された内容を検査し、");
    auto data = std::make_unique<CDocumentData>();
    data->SetDefaults();
    data->ClearFunctions();
    CUnitFunctionRegistry& registry = data->registry;
    registry.origin = registry.CreateFunctionWithID(1);
    registry.origin->name = QStringLiteral("システム");
    QString content;
    while (content.size() < 200)
        content += contentUnit;
    for (int i = 1; i < count; ++i) {
        CUnitFunction* function = registry.CreateFunctionWithID(static_cast<quint32>(i + 1));
        function->name = QStringLiteral("単位機能%1").arg(i);
        function->header.contentText = content.left(200);
        function->header.uniqueLabel = QStringLiteral("UL-%1").arg(i);
        function->header.ownRequirements.insert(QStringLiteral("REQ-%1").arg(i % 50));
        CUnitFunction::AppendChild(registry.FindByInternalID(static_cast<quint32>(i / 4 + 1)), function);
        static const quint8 kinds[8] = {SyntaxIf,    SyntaxDo,      SyntaxElse,   SyntaxDo,
                                        SyntaxEndif, SyntaxComment, SyntaxSwitch, SyntaxEndsw};
        for (quint8 kind : kinds) {
            auto line = std::make_unique<CLogicLine>();
            line->lineKind = kind;
            line->Top = 4;
            line->Next = 8;
            line->Home = 8;
            line->End = 30;
            line->slotCount = static_cast<quint8>(CLogicLine::SlotsOfKind(kind));
            for (int slot = 0; slot < line->slotCount; ++slot)
                line->textSlots[static_cast<std::size_t>(slot)].text = QStringLiteral("温度センサ%1").arg(slot);
            function->logicLines.push_back(std::move(line));
        }
        if (changed && i % 100 == 0)
            function->logicLines[1]->textSlots[0].text = QStringLiteral("湿度センサ");
    }
    registry.RebuildAndNotify(data->indexRoot, data->GetModelOptions());
    return data;
}
