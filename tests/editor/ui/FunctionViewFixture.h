#pragma once

#include "editor/LogicEditModel.h"
#include "editor/ui/FunctionView.h"
#include "editor/ui/SplREdit.h"
#include "model/DocumentData.h"
#include "model/UnitFunction.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <memory>

// The function view of a new document's origin, shown, with the particles that would decorate the lines
// cleared, so that the editor shows the slots' texts alone; questions go to the scripted sink.
class FunctionViewFixture : public ::testing::Test {
protected:
    FunctionViewFixture() {
        document.SetDefaults();
        document.particles.ifParticle.clear();
        document.particles.switchParticle.clear();
        document.particles.doInfix.clear();
        document.particles.doSuffix.clear();
        form = std::make_unique<CFunctionView>(document, *document.registry.origin);
        form->resize(640, 400);
        form->show();
    }
    CSplREdit& Editor() { return form->Editor(); }
    CLogicEditModel& Model() { return form->Model(); }

    platform::ScriptedMessageSink sink;
    CDocumentData document;
    std::unique_ptr<CFunctionView> form;
};
