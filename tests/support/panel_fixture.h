// A panel on the recording fake, with the folders set as start-up sets them.
#pragma once

#include <gtest/gtest.h>

#include "panel/panel_state.h"
#include "support/recording_platform.h"

namespace voxpan::testing {

class PanelTest : public ::testing::Test {
protected:
    PanelTest() {
        panel.speechFolder = "wave/";
        panel.effectsFolder = "wave/";
        panel.versionText = "4.0a";
    }

    // Opens a port on the fake, as a connected start-up leaves it.
    void openPort() { fake.serialOpen("/dev/ttyUSB0", 9600); }
    // The log file's lines, split at CR LF; a missing final CR LF shows as
    // a last line of its own.
    std::vector<std::string> logLines() const;

    RecordingPlatform fake;
    Panel panel{fake};
};

}  // namespace voxpan::testing
