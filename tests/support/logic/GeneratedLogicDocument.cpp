#include "support/logic/GeneratedLogicDocument.h"

#include <vector>

namespace {

// The logic of unit function i, calling its children: the origin only calls, the others call in the branches
// and after the loop; with findings the first statement is written twice.
QString FunctionScript(int i, const std::vector<std::vector<int>>& children, bool findings) {
    const QString m = QString("M%1_").arg(i);
    const auto call = [&](size_t k) {
        return k < children[i].size() ? QString("Fn F%1\n").arg(children[i][k]) : QString();
    };
    QString script;
    if (i == 0) {
        for (size_t k = 0; k < children[0].size(); ++k)
            script += call(k);
        return script;
    }
    script += "Do <" + m + "x>を{stop}せよ\n";
    if (findings)
        script += "Do <" + m + "x>を{stop}せよ\n";
    script += "if <" + m + "a>が{on}\n";
    script += "  if <" + m + "b>が{ready}\n";
    script += "    Do <" + m + "x>を{start}せよ\n";
    script += "  else\n    Do nothing\n  endif\n";
    script += call(0) + call(1);
    script += "else\n";
    script += "  switch <" + m + "mode>が\n";
    script += "  case {1}\n    Do <" + m + "y>を{low}せよ\n" + call(2) + call(3);
    script += "  case {2}\n    Do <" + m + "y>を{high}せよ\n" + call(4) + call(5);
    script += "  elsw\n    Do nothing\n  endsw\n";
    script += "endif\n";
    script += "loop\n";
    script += "  Do <" + m + "z>を{step}せよ\n";
    script += "  if <" + m + "c>が{full}\n    Do <" + m + "w>を{stop}せよ\n  else\n    Do nothing\n  endif\n";
    script += "endlp\n";
    script += call(6) + call(7);
    return script;
}

// The shared-member document's (name, script) pairs and the parent of each unit function.
std::pair<std::vector<std::pair<QString, QString>>, std::vector<int>> SharedMemberScripts(int n) {
    const auto call = [n](int child) {
        return child < n ? QString("  Fn F%1\n").arg(child) : QString("  Do nothing\n");
    };
    const auto action = [](int member, int state) { return QString("  Do <S%1>を{%2}せよ\n").arg(member).arg(state); };
    std::vector<std::pair<QString, QString>> scripts;
    std::vector<int> parents;
    for (int i = 0; i < n; ++i) {
        QString script;
        if (i == 0) {
            for (int k = 1; k <= 4 && k < n; ++k)
                script += QString("Fn F%1\n").arg(k);
        } else {
            script += "if <C>が{on}\n" + action((i + 3) % 8, i % 3) + call(4 * i + 1) + call(4 * i + 2);
            script += "else\n" + action(i % 8, i % 2) + call(4 * i + 3) + call(4 * i + 4) + "endif\n";
        }
        scripts.emplace_back(QString("F%1").arg(i), script);
        parents.push_back(i == 0 ? -1 : (i - 1) / 4);
    }
    return {scripts, parents};
}

} // namespace

std::vector<std::pair<QString, QString>> GeneratedLogicScripts(int chapters, bool findings) {
    std::vector<std::vector<int>> children(1);
    std::vector<int> level;
    for (int c = 0; c < chapters; ++c) {
        children[0].push_back(static_cast<int>(children.size()));
        level.push_back(static_cast<int>(children.size()));
        children.emplace_back();
    }
    for (int depth = 0; depth < 2; ++depth) {
        std::vector<int> next;
        for (int parent : level) {
            for (int k = 0; k < 8; ++k) {
                children[parent].push_back(static_cast<int>(children.size()));
                next.push_back(static_cast<int>(children.size()));
                children.emplace_back();
            }
        }
        level = next;
    }
    std::vector<std::pair<QString, QString>> scripts;
    for (size_t i = 0; i < children.size(); ++i)
        scripts.emplace_back(QString("F%1").arg(i), FunctionScript(static_cast<int>(i), children, findings));
    return scripts;
}

std::unique_ptr<LogicTestDocument> MakeGeneratedLogicDocument(int chapters, bool findings) {
    auto document = std::make_unique<LogicTestDocument>();
    for (const auto& [name, script] : GeneratedLogicScripts(chapters, findings))
        document->Add(name, script);
    document->Finish();
    return document;
}

std::unique_ptr<LogicTestDocument> MakeSharedMemberDocument(int n) {
    auto document = std::make_unique<LogicTestDocument>();
    const auto [scripts, parents] = SharedMemberScripts(n);
    std::vector<CUnitFunction*> functions;
    for (size_t i = 0; i < scripts.size(); ++i)
        functions.push_back(
            document->Add(scripts[i].first, scripts[i].second, i == 0 ? nullptr : functions[parents[i]]));
    document->Finish();
    return document;
}

QString SaveSharedMemberDocument(const QString& path, int n) {
    const auto [scripts, parents] = SharedMemberScripts(n);
    return SaveScriptDocument(path, scripts, parents);
}

QString NestedIfScript(int n) {
    QString script;
    for (int i = 0; i < n; ++i)
        script += QString("if <C%1>が{on}\nDo <X%1>を{a}せよ\n").arg(i);
    for (int i = n - 1; i >= 0; --i)
        script += QString("else\nDo <X%1>を{b}せよ\nendif\n").arg(i);
    return script;
}

QString SaveNestedIfDocument(const QString& path, int n) {
    return SaveScriptDocument(path, {{"Nested", NestedIfScript(n)}});
}

namespace {

std::vector<std::pair<QString, QString>> DoublingChainScripts(int n) {
    std::vector<std::pair<QString, QString>> functions;
    for (int i = 0; i < n; ++i) {
        const QString call = i + 1 < n ? QString("Fn F%1\n").arg(i + 1) : QString();
        functions.emplace_back(QString("F%1").arg(i),
                               QString("if <C%1>が{on}\n").arg(i) + call + "else\n" + call + "endif\n");
    }
    return functions;
}

} // namespace

std::unique_ptr<LogicTestDocument> MakeDoublingChainDocument(int n) {
    auto document = std::make_unique<LogicTestDocument>();
    for (const auto& [name, script] : DoublingChainScripts(n))
        document->Add(name, script);
    document->Finish();
    return document;
}

QString SaveDoublingChainDocument(const QString& path, int n) {
    return SaveScriptDocument(path, DoublingChainScripts(n));
}

namespace {

std::vector<std::pair<QString, QString>> FanOutScripts(int n) {
    std::vector<std::pair<QString, QString>> functions{{"Origin", QString()}};
    for (int i = 0; i < n; ++i) {
        functions.front().second += QString("Fn F%1\n").arg(i);
        functions.emplace_back(QString("F%1").arg(i), QString("Do <M%1>を{a}せよ\n").arg(i));
    }
    return functions;
}

} // namespace

QString SaveFanOutDocument(const QString& path, int n) {
    return SaveScriptDocument(path, FanOutScripts(n));
}

std::unique_ptr<LogicTestDocument> MakeFanOutDocument(int n) {
    auto document = std::make_unique<LogicTestDocument>();
    for (const auto& [name, script] : FanOutScripts(n))
        document->Add(name, script);
    document->Finish();
    return document;
}
