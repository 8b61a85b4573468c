#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Fonts and PDF writers need the graphical application object; it lives through all tests.
class GuiApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_application = std::make_unique<QGuiApplication>(m_argc, m_argv); }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "printing_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QGuiApplication> m_application;
};

[[maybe_unused]] ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new GuiApplicationEnvironment);

} // namespace
