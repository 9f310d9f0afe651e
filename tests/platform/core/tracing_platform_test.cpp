#include "platform/core/tracing_platform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/recording_platform.h"

namespace voxpan {
namespace {

class Trace : public ::testing::Test {
protected:
    Trace() : path_(std::filesystem::temp_directory_path() / ("voxpan-trace-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        std::filesystem::remove(path_);
    }
    ~Trace() override { std::filesystem::remove(path_); }

    // Trace lines with their milliseconds removed.
    std::vector<std::string> lines() const {
        std::ifstream in(path_);
        std::vector<std::string> result;
        std::string line;
        while (std::getline(in, line)) {
            const auto tab = line.find('\t');
            EXPECT_NE(tab, std::string::npos) << line;
            EXPECT_FALSE(line.substr(0, tab).empty()) << "every line starts with its milliseconds: " << line;
            EXPECT_EQ(line.substr(0, tab).find_first_not_of("0123456789"), std::string::npos) << line;
            result.push_back(line.substr(tab + 1));
        }
        return result;
    }

    std::filesystem::path path_;
    testing::RecordingPlatform fake;
};

TEST_F(Trace, TextsCarryThePositionBeforeDrawingAndTheFontAndColourInForce) {
    TracingPlatform traced(fake, path_);
    traced.moveTo(270, 0);
    traced.drawText("*** Voxpan V 4.0a ***");
    traced.setFont("Ariel", 50, 700);
    traced.setTextColour(kBlue);
    traced.moveTo(300, 150);
    traced.drawText("145.0");
    traced.drawText("0000");
    EXPECT_EQ(lines(), (std::vector<std::string>{
                           "text\t270\t0\tSystem\t12\t700\t0,0,0\t*** Voxpan V 4.0a ***",
                           "text\t300\t150\tAriel\t50\t700\t0,0,255\t145.0",
                           "text\t350\t150\tAriel\t50\t700\t0,0,255\t0000",
                       }));
    EXPECT_EQ(fake.textsDrawn(), (std::vector<std::string>{"*** Voxpan V 4.0a ***", "145.0", "0000"}))
        << "everything still reaches the real platform";
}

TEST_F(Trace, SoundsKeysAndCloseRequestsAreTracedTimerTicksAreNot) {
    fake.eventBatches.push_back({{EventKind::KeyDown, 112}, {EventKind::Timer, 1}, {EventKind::KeyUp, 112}});
    fake.eventBatches.push_back({{EventKind::Close, 0}});
    TracingPlatform traced(fake, path_);
    traced.playSound("wave/FM");
    traced.playSound("FM");
    EXPECT_EQ(traced.waitEvents().size(), 3u);
    traced.waitEvents();
    EXPECT_EQ(lines(), (std::vector<std::string>{"play\twave/FM", "play\tFM", "key-down\t112", "key-up\t112", "close"}));
    EXPECT_EQ(fake.plays, (std::vector<std::string>{"wave/FM", "FM"}));
}

TEST_F(Trace, LinesAreAppendedAndWrittenAtOnce) {
    {
        TracingPlatform first(fake, path_);
        first.playSound("wave/vox");
    }
    TracingPlatform second(fake, path_);
    second.playSound("wave/4");
    EXPECT_EQ(lines(), (std::vector<std::string>{"play\twave/vox", "play\twave/4"}))
        << "the second line is readable while the trace is still open";
}

TEST_F(Trace, AnUnwritableTraceLeavesThePlatformWorking) {
    ::testing::internal::CaptureStderr();
    TracingPlatform traced(fake, "/nonexistent-folder/trace.txt");
    const std::string complaint = ::testing::internal::GetCapturedStderr();
    traced.playSound("wave/FM");
    EXPECT_EQ(fake.plays, std::vector<std::string>{"wave/FM"});
    EXPECT_NE(complaint.find("/nonexistent-folder/trace.txt"), std::string::npos) << complaint;
}

}  // namespace
}  // namespace voxpan
