#include "support/logic/LogicScript.h"

#include "model/DocumentData.h"
#include "support/ToolSupport.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

LogicKeywords DefaultLogicKeywords() {
    return {QStringLiteral("Fn"),         QStringLiteral("if"),     QStringLiteral("else"),
            QStringLiteral("endif"),      QStringLiteral("Do"),     QStringLiteral("switch"),
            QStringLiteral("case"),       QStringLiteral("elsw"),   QStringLiteral("endsw"),
            QStringLiteral("Do nothing"), QStringLiteral("(:"),     QStringLiteral("loop"),
            QStringLiteral("endlp"),      QStringLiteral("exitlp"), QStringLiteral("Transit State")};
}

std::unique_ptr<CLogicLine> MakeScriptLine(const QString& text,
                                           std::vector<std::pair<CLogicLine*, QString>>& pendingFn) {
    auto line = std::make_unique<CLogicLine>();
    static const QRegularExpression memberState(QStringLiteral("^<([^>]*)>([^{]*)\\{([^}]*)\\}(.*)$"));
    static const QRegularExpression member(QStringLiteral("^<([^>]*)>(.*)$"));
    static const QRegularExpression state(QStringLiteral("^\\{([^}]*)\\}(.*)$"));
    const auto setSlots = [&line](const QStringList& texts) {
        for (int i = 0; i < texts.size(); ++i)
            line->textSlots[i].text = texts[i];
        line->slotCount = static_cast<quint8>(texts.size());
    };
    const auto rest = [&text](const QString& keyword) { return text.mid(keyword.size()).trimmed(); };
    const auto memberStateSlots = [&](const QString& body) {
        const auto match = memberState.match(body);
        setSlots({match.captured(1), match.captured(2), match.captured(3), match.captured(4)});
    };
    static const std::vector<std::pair<QString, int>> singles = {{QStringLiteral("Do nothing"), SyntaxDoNothing},
                                                                 {QStringLiteral("else"), SyntaxElse},
                                                                 {QStringLiteral("endif"), SyntaxEndif},
                                                                 {QStringLiteral("elsw"), SyntaxElsw},
                                                                 {QStringLiteral("endsw"), SyntaxEndsw},
                                                                 {QStringLiteral("loop"), SyntaxLoop},
                                                                 {QStringLiteral("endlp"), SyntaxEndlp},
                                                                 {QStringLiteral("exitlp"), SyntaxExitlp},
                                                                 {QStringLiteral("?"), SyntaxNone}};
    for (const auto& [keyword, kind] : singles) {
        if (text == keyword) {
            line->lineKind = static_cast<quint8>(kind);
            return line;
        }
    }
    if (text.startsWith(QStringLiteral("Transit State"))) {
        line->lineKind = SyntaxTransitState;
        memberStateSlots(rest(QStringLiteral("Transit State")));
    } else if (text.startsWith(QStringLiteral("Do"))) {
        line->lineKind = SyntaxDo;
        memberStateSlots(rest(QStringLiteral("Do")));
    } else if (text.startsWith(QStringLiteral("if"))) {
        line->lineKind = SyntaxIf;
        memberStateSlots(rest(QStringLiteral("if")));
    } else if (text.startsWith(QStringLiteral("switch"))) {
        line->lineKind = SyntaxSwitch;
        const auto match = member.match(rest(QStringLiteral("switch")));
        setSlots({match.captured(1), match.captured(2)});
    } else if (text.startsWith(QStringLiteral("case"))) {
        line->lineKind = SyntaxCase;
        const auto match = state.match(rest(QStringLiteral("case")));
        setSlots({match.captured(1), match.captured(2)});
    } else if (text.startsWith(QStringLiteral("(:"))) {
        line->lineKind = SyntaxComment;
        setSlots({rest(QStringLiteral("(:"))});
    } else if (text.startsWith(QStringLiteral("Fn"))) {
        line->lineKind = SyntaxFn;
        setSlots({rest(QStringLiteral("Fn"))});
        pendingFn.push_back({line.get(), rest(QStringLiteral("Fn"))});
    } else {
        line->lineKind = SyntaxPlainLine;
    }
    return line;
}

void AppendScript(CUnitFunction& function, const QString& script,
                  std::vector<std::pair<CLogicLine*, QString>>& pendingFn) {
    for (const QString& text : script.split(QChar('\n'), Qt::SkipEmptyParts))
        function.logicLines.push_back(MakeScriptLine(text.trimmed(), pendingFn));
}

void ResolveScriptFnLines(const CUnitFunctionRegistry& registry,
                          std::vector<std::pair<CLogicLine*, QString>>& pendingFn) {
    for (auto& [line, name] : pendingFn) {
        const CUnitFunction* called = registry.FindByName(name);
        line->calledInternalID = called ? called->InternalID : 0;
    }
    pendingFn.clear();
}

LogicTestDocument::LogicTestDocument() {
    quantifiers.entries.clear();
    environment.keywords = DefaultLogicKeywords();
    environment.registry = &registry;
    environment.quantifiers = &quantifiers;
}

CUnitFunction* LogicTestDocument::Add(const QString& name, const QString& script, CUnitFunction* parent) {
    CUnitFunction* function = registry.CreateFunction(name, options);
    function->header.UnNecessaryReasoning = 1;
    if (!registry.origin)
        registry.origin = function;
    else
        CUnitFunction::AppendChild(parent ? parent : registry.origin, function);
    AppendScript(*function, script, m_pendingFn);
    return function;
}

void LogicTestDocument::Finish() {
    ResolveScriptFnLines(registry, m_pendingFn);
    registry.Rebuild(options);
    environment.semanticRelations.clear();
    for (const auto& rule : semanticRelations)
        environment.semanticRelations.push_back(rule.get());
    environment.intraMemberRules.clear();
    for (const auto& rule : intraMemberRules)
        environment.intraMemberRules.push_back(rule.get());
}

void LogicTestDocument::AddSemanticRelation(const QStringList& sentences, const QString& message) {
    auto rule = std::make_unique<CInconsistencyRule>();
    rule->Init();
    rule->conditionCount = static_cast<int32_t>(sentences.size() / 2);
    for (int i = 0; i + 1 < sentences.size(); i += 2)
        rule->conditions[i / 2] = {sentences[i], sentences[i + 1]};
    rule->message = message;
    semanticRelations.push_back(std::move(rule));
}

void LogicTestDocument::AddIntraMemberRule(const QString& member, const QString& state1, const QString& state2,
                                           const QString& initMember, const QString& initState) {
    auto rule = std::make_unique<CIntraMemberConsistencyRule>();
    rule->doFlag = initMember.isEmpty() ? 0 : 1;
    rule->if1Member = member;
    rule->if1Status = state1;
    rule->if2Member = member;
    rule->if2Status = state2;
    rule->doMember = initMember;
    rule->doStatus = initState;
    intraMemberRules.push_back(std::move(rule));
}

QString SaveScriptDocument(const QString& path, const std::vector<std::pair<QString, QString>>& functions,
                           const std::vector<int>& parents) {
    CDocumentData data;
    data.SetDefaults();
    std::vector<std::pair<CLogicLine*, QString>> pendingFn;
    std::vector<CUnitFunction*> made;
    for (size_t i = 0; i < functions.size(); ++i) {
        CUnitFunction* function =
            i == 0 ? data.registry.origin : data.registry.CreateFunction(functions[i].first, data.GetModelOptions());
        // Beyond the most unit functions a document holds none is made (the registry says so): nothing is written.
        if (!function)
            return QString();
        function->name = functions[i].first;
        if (i > 0)
            CUnitFunction::AppendChild(parents.empty() ? data.registry.origin : made[parents[i]], function);
        AppendScript(*function, functions[i].second, pendingFn);
        made.push_back(function);
    }
    ResolveScriptFnLines(data.registry, pendingFn);
    data.registry.RebuildAndNotify(data.indexRoot, data.GetModelOptions());
    QString error;
    const bool saved = tools::SaveDocument(data, path, false, &error);
    EXPECT_TRUE(saved) << error.toStdString();
    return saved ? path : QString();
}
