// JUCE's GUI classes need the framework set up once per test program; no display is
// needed as long as no window is put on the desktop.
#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace
{
class JuceEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { juce = std::make_unique<juce::ScopedJuceInitialiser_GUI>(); }
    void TearDown() override { juce.reset(); }

private:
    std::unique_ptr<juce::ScopedJuceInitialiser_GUI> juce;
};

[[maybe_unused]] ::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new JuceEnvironment);
}
