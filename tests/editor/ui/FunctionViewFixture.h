#pragma once

#include "editor/LogicEditModel.h"
#include "editor/ui/FunctionView.h"
#include "editor/ui/SplREdit.h"
#include "model/UnitFunction.h"
#include "support/logic/BareLogicDocumentFixture.h"

#include <memory>

// The function view of the bare document's origin, shown.
class FunctionViewFixture : public BareLogicDocumentFixture {
protected:
    FunctionViewFixture() {
        form = std::make_unique<CFunctionView>(document, *document.registry.origin);
        form->resize(640, 400);
        form->show();
    }
    CSplREdit& Editor() { return form->Editor(); }
    CLogicEditModel& Model() { return form->Model(); }

    std::unique_ptr<CFunctionView> form;
};
