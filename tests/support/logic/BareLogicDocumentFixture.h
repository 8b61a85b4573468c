#pragma once

#include "model/DocumentData.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

// A new document with the particles that would decorate the logic lines cleared, so that a line shows the
// slots' texts alone; questions go to the scripted sink.
class BareLogicDocumentFixture : public ::testing::Test {
protected:
    BareLogicDocumentFixture() {
        document.SetDefaults();
        document.particles.ifParticle.clear();
        document.particles.switchParticle.clear();
        document.particles.doInfix.clear();
        document.particles.doSuffix.clear();
    }

    platform::ScriptedMessageSink sink;
    CDocumentData document;
};
