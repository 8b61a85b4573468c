#include "generators/GeneratorTestSupport.h"

#include "support/TestFiles.h"
#include "support/logic/LogicScript.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

GeneratorTestDocument::GeneratorTestDocument(std::initializer_list<Function> list) {
    const std::vector<Function> functions(list);
    data.SetDefaults();
    data.quantifiers.entries.clear();
    const ModelOptions options = data.GetModelOptions();
    std::vector<std::pair<CLogicLine*, QString>> pendingFn;
    for (size_t i = 0; i < functions.size(); ++i) {
        CUnitFunction* function = data.registry.origin;
        if (i > 0) {
            function = data.registry.CreateFunction(functions[i].name, options);
            CUnitFunction* parent = functions[i].parent.isEmpty() ? data.registry.origin : &Find(functions[i].parent);
            CUnitFunction::AppendChild(parent, function);
        }
        function->name = functions[i].name;
        AppendScript(*function, functions[i].script, pendingFn);
    }
    ResolveScriptFnLines(data.registry, pendingFn);
    data.registry.RebuildAndNotify(data.indexRoot, options);
}

CUnitFunction& GeneratorTestDocument::Find(const QString& name) const {
    CUnitFunction* function = data.registry.FindByName(name);
    EXPECT_NE(function, nullptr) << name.toStdString();
    return *function;
}

void ExpectSameAsGolden(const QString& path, const QString& goldenName) {
    const QString golden = QStringLiteral(NUV_TEST_DATA_DIR "/generators/") + goldenName;
    const QByteArray written = ReadFileBytes(path);
    if (qEnvironmentVariableIsSet("NUV_UPDATE_GOLDEN")) {
        WriteFileBytes(golden, written);
        return;
    }
    EXPECT_EQ(written, ReadFileBytes(golden)) << goldenName.toStdString();
}
