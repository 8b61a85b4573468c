#include "platform/ui/CompleterClicks.h"
#include "platform/ui/FileDropGuard.h"
#include "platform/ui/RadioGroupTabStops.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The one application object of a widget test program: it lives through all tests and ends before the
// process does (QTest's input device and Qt's own statics may not outlive it).
class ApplicationEnvironment : public ::testing::Environment {
public:
    // As the programs' own, with their keyboard conventions.
    void SetUp() override {
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
        platform::InstallRadioGroupTabStops(*m_application);
        platform::InstallCompleterClicks(*m_application);
        platform::InstallFileDropGuard(*m_application);
    }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "nuv_ui_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
};

[[maybe_unused]] ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

} // namespace
