#pragma once

#include "model/DocumentData.h"
#include "model/FontInfo.h"
#include "model/ModelShell.h"
#include "platform/MessageBox.h"
#include "support/QStringPrinter.h"

#include <QStringList>

// A shell whose system has these font faces installed; installed while it lives.
class InstalledFontsShell : public CModelShell {
public:
    explicit InstalledFontsShell(const QStringList& faces) : m_fonts(faces) {}
    InstalledFontsShell(const InstalledFontsShell&) = delete;
    InstalledFontsShell& operator=(const InstalledFontsShell&) = delete;

    const CFontInfo& InstalledFonts() override { return m_fonts; }

private:
    const CFontInfo m_fonts;
    CModelShellInstaller m_installer{*this};
};

// Records what the model asks of the shell and answers prompts from a script; installed while it lives.
class FakeModelShell : public CModelShell {
public:
    FakeModelShell() = default;
    FakeModelShell(const FakeModelShell&) = delete;
    FakeModelShell& operator=(const FakeModelShell&) = delete;

    void AssignUniqueLabelIfEmpty(CUnitFunction& function) override {
        if (function.header.uniqueLabel.isEmpty())
            function.header.uniqueLabel = QStringLiteral("U%1").arg(++labelsIssued);
    }
    void OpenFunctionTab(CUnitFunction* function) override { openedTabs.push_back(function); }
    void CloseFunctionTab(CUnitFunction* function) override { closedTabs.push_back(function); }
    CUnitFunction* ActiveTabFunction() override { return activeFunction; }
    void SetDocumentModified() override { ++modifiedCount; }
    void RefreshFunctionList() override { ++refreshCount; }
    bool PromptFunctionName(QString& name) override { return Answer(name); }
    bool PromptIsolatedFunctionName(QString& name) override {
        proposedNames << name;
        return Answer(name);
    }

    // Each prompt takes the next name; an empty script cancels.
    QStringList names;
    QStringList proposedNames;
    CUnitFunction* activeFunction = nullptr;
    std::vector<CUnitFunction*> openedTabs;
    std::vector<CUnitFunction*> closedTabs;
    int labelsIssued = 0;
    int modifiedCount = 0;
    int refreshCount = 0;

private:
    bool Answer(QString& name) {
        if (names.isEmpty())
            return false;
        name = names.takeFirst();
        return true;
    }

    CModelShellInstaller m_installer{*this};
};

// A document built by hand with fixed InternalIDs, so every run sees the same registry order.
struct TestDocument {
    CDocumentData data;
    ModelOptions options;

    TestDocument() {
        data.registry.origin = data.registry.CreateFunctionWithID(1000);
        data.registry.origin->name = QStringLiteral("Origin");
    }

    CUnitFunctionRegistry& registry() { return data.registry; }
    CAbstractIndexItem& root() { return data.indexRoot; }
    CUnitFunction* origin() { return data.registry.origin; }

    CUnitFunction* Add(quint32 id, const QString& name, CUnitFunction* parent = nullptr) {
        CUnitFunction* function = data.registry.CreateFunctionWithID(id);
        function->name = name;
        if (parent)
            CUnitFunction::AppendChild(parent, function);
        return function;
    }

    void Rebuild() { data.registry.RebuildAndNotify(data.indexRoot, options); }

    CAbstractIndexItem* Item(const OutlineNumber& number) {
        return CAbstractIndexItem::FindByOutlineNumber(&data.indexRoot, number, 0);
    }

    // Names of a unit function's children, joined with ",".
    static QString Children(const CUnitFunction* function) {
        QStringList names;
        for (const CUnitFunction* child : function->children)
            names << child->name;
        return names.join(QLatin1Char(','));
    }

    // Names called by the Fn statements, with the column of each, e.g. "A@0,B@4".
    static QString FnLines(const CUnitFunction* function) {
        QStringList lines;
        for (const auto& line : function->logicLines) {
            if (line->IsFnStatement())
                lines << QStringLiteral("%1@%2").arg(line->textSlots[0].text).arg(line->Top);
        }
        return lines.join(QLatin1Char(','));
    }
};

inline CLogicLine* AppendLine(CUnitFunction* function, int kind, int top = 0, int next = 0) {
    auto line = std::make_unique<CLogicLine>();
    line->lineKind = static_cast<quint8>(kind);
    line->Top = static_cast<quint16>(top);
    line->Next = static_cast<quint16>(next);
    function->logicLines.push_back(std::move(line));
    return function->logicLines.back().get();
}

inline CLogicLine* AppendFnLine(CUnitFunction* function, const CUnitFunction* called, int column = 0) {
    CLogicLine* line = AppendLine(function, SyntaxFn);
    line->InitFnStatement(*called, column, 5);
    return line;
}
