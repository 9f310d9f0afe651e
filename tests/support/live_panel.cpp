#include "support/live_panel.h"

#include "shell/connection.h"
#include "shell/window_events.h"

namespace voxpan::testing {

LivePanelTest::LivePanelTest(receiver_sim::Options options) : receiver(std::move(options)) {
    panel.portText = "/dev/ttyUSB0";
    panel.baudText = "9600";
    fake.onSerialWrite = [this](std::string_view bytes) { receiver.receive(bytes); };
    connectReceiver(panel);
    panel.running = 1;
    forget();
}

namespace {
receiver_sim::Options stationOn145_5() {
    receiver_sim::Options options;
    options.signals.push_back({145'500'000, 200});
    return options;
}
}  // namespace

StationOn145_5Test::StationOn145_5Test() : LivePanelTest(stationOn145_5()) {
    tick(3);  // connected
    forget();
}

void LivePanelTest::press(int code) {
    handleWindowEvent(panel, EventKind::KeyDown, code);
    handleWindowEvent(panel, EventKind::KeyUp, code);
}

void LivePanelTest::press(std::initializer_list<int> codes) {
    for (int code : codes) press(code);
}

void LivePanelTest::tick(int count) {
    for (int i = 0; i < count; ++i) {
        receiver.advance(0.1);
        fake.serialInput += receiver.takeOutput();
        handleWindowEvent(panel, EventKind::Timer, 1);
    }
}

void LivePanelTest::settle(int limit) {
    for (int i = 0; i < limit && (panel.keyCount > 0 || panel.pollState != kPollIdle); ++i) tick();
}

void LivePanelTest::forget() {
    fake.plays.clear();
    fake.texts.clear();
    fake.journal.clear();
    fake.serialWritten.clear();
    fake.serialWrites.clear();
    commandsBefore_ = receiver.commandsReceived().size();
}

std::vector<std::string> LivePanelTest::commands() const {
    const auto& all = receiver.commandsReceived();
    return {all.begin() + static_cast<std::ptrdiff_t>(std::min(commandsBefore_, all.size())), all.end()};
}

std::vector<std::string> LivePanelTest::words() const {
    std::vector<std::string> words;
    for (const std::string& path : fake.plays) {
        const std::string word = path.substr(path.find_last_of('/') + 1);
        if (word != "shdel") words.push_back(word);
    }
    return words;
}

}  // namespace voxpan::testing
