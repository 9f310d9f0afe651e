// How long the bank operations take on a full bank (197 channels) apart
// from the words: select, sort, put and copy, and the transfer's commands,
// against the recording fake of the platform, whose sounds take no time and
// whose files are in memory. Each must stay well under one 100 ms tick.
// Prints figures only.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "banks/bank_copy.h"
#include "banks/bank_editing.h"
#include "banks/bank_transfer.h"
#include "platform/core/text_files.h"
#include "support/recording_platform.h"

namespace {

using Clock = std::chrono::steady_clock;
using voxpan::Panel;
using voxpan::testing::RecordingPlatform;

constexpr int kRuns = 2000;

std::string bankFile(const std::string& label, const std::vector<std::string>& channels) {
    std::string bytes = label + "\r\nFM\r\n12.5\r\n \r\n";
    for (const std::string& channel : channels) bytes += channel + "\r\n \r\n";
    return bytes + "9999\r\n";
}

std::vector<std::string> channels(int count, int startKilohertz) {
    std::vector<std::string> list;
    for (int i = 1; i <= count; ++i) {
        const int kilohertz = startKilohertz + 25 * i;
        list.push_back(std::to_string(kilohertz / 1000) + "." + std::to_string(1000 + kilohertz % 1000).substr(1));
    }
    return list;
}

// Times `operation` kRuns times; `prepare` runs before each, untimed.
void measure(const char* what, RecordingPlatform& fake, const std::function<void()>& prepare,
             const std::function<void()>& operation, int runs = kRuns) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        fake.journal.clear();
        fake.plays.clear();
        fake.texts.clear();
        fake.serialWrites.clear();
        fake.serialWritten.clear();
        prepare();
        const Clock::time_point start = Clock::now();
        operation();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    double total = 0;
    for (double t : times) total += t;
    std::printf("%-52s %5d runs  mean %8.1f us  median %8.1f us  p99 %8.1f us  max %8.1f us  (tick: 100000 us)\n",
                what, runs, total / runs, times[times.size() / 2], times[times.size() * 99 / 100], times.back());
}

}  // namespace

int main() {
    RecordingPlatform fake;
    fake.serialOpen("/dev/null", 9600);
    Panel panel(fake);
    panel.speechFolder = "wave/";
    panel.effectsFolder = "wave/";
    panel.modeText = "FM";
    panel.searchStepText = "12.5";

    std::vector<std::string> full = channels(197, 100000);
    std::vector<std::string> shuffled = full;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    const std::string fullBank = bankFile("bank05", full);
    const std::string shuffledBank = bankFile("bank05", shuffled);
    const std::string nearlyFull = bankFile("bank06", channels(90, 300000));

    measure("select a bank of 197 channels", fake, [&] {
        fake.files["bank05.dat"] = fullBank;
        panel.entryText = "05";
    }, [&] { voxpan::selectBank(panel); });
    measure("sort a shuffled bank of 197 channels", fake, [&] {
        fake.files["bank05.dat"] = shuffledBank;
        panel.entryText = "05";
    }, [&] { voxpan::sortBank(panel); });
    measure("put into a bank of 197 channels (no room: n)", fake, [&] {
        fake.files["bank05.dat"] = fullBank;
        panel.entryText = "05";
        panel.workText = "446.5";
    }, [&] { voxpan::putFrequency(panel); });
    measure("put into a bank of 90 channels (the 91st)", fake, [&] {
        fake.files["bank06.dat"] = nearlyFull;
        panel.entryText = "06";
        panel.workText = "446.5";
    }, [&] { voxpan::putFrequency(panel); });
    measure("copy a list of 197 into a new bank (91 fit)", fake, [&] {
        fake.files.erase("bank07.dat");
        fake.files["bank05.dat"] = fullBank;
        panel.entryText = "0507";
    }, [&] { voxpan::copyBank(panel); });
    measure("copy a list of 197 onto itself (nothing new)", fake, [&] {
        fake.files["bank05.dat"] = fullBank;
        panel.entryText = "0505";
    }, [&] { voxpan::copyBank(panel); });
    measure("transfer a bank of 197 (91 MX commands)", fake, [&] {
        fake.files["bank05.dat"] = fullBank;
        panel.entryText = "05C";
    }, [&] { voxpan::writeBankToReceiver(panel); });

    // The one part the fake leaves out: the real replacement of a file, with
    // its fsync, on the disk that holds the temporary folder.
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "voxpan-bench-banks";
    std::filesystem::create_directories(folder);
    voxpan::TextFiles files;
    std::vector<std::string> lines{"bank05", "FM", "12.5", " "};
    for (const std::string& channel : full) {
        lines.push_back(channel);
        lines.push_back(" ");
    }
    lines.push_back("9999");
    measure("replace a 197-channel bank file on disk (fsync)", fake, [] {}, [&] {
        files.replaceTextFile((folder / "bank05.dat").string(), lines);
    }, 200);
    std::filesystem::remove_all(folder);
    return 0;
}
