#include <gtest/gtest.h>

#include "support/panel_fixture.h"
#include "voice/speech.h"

namespace voxpan {
namespace {

class SpeakCount : public testing::PanelTest {};

TEST_F(SpeakCount, EveryDigitIsItsOwnWord) {
    const struct {
        std::int32_t count;
        std::vector<std::string> words;
    } cases[] = {
        {0, {"wave/0"}},
        {7, {"wave/7"}},
        {12, {"wave/1", "wave/2"}},
        {100, {"wave/1", "wave/0", "wave/0"}},
        {123, {"wave/1", "wave/2", "wave/3"}},
        {197, {"wave/1", "wave/9", "wave/7"}},
    };
    for (const auto& c : cases) {
        fake.plays.clear();
        speakCount(panel, c.count);
        EXPECT_EQ(fake.plays, c.words) << c.count;
    }
}

}  // namespace
}  // namespace voxpan
