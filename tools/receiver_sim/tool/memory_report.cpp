#include "memory_report.h"

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

#include "receiver_sim/lib/frequency_fields.h"

namespace receiver_sim {

std::string memoryReportText(const std::vector<MemoryChannel>& channels) {
    std::string text;
    for (const MemoryChannel& channel : channels) {
        char place[8];
        std::snprintf(place, sizeof place, "%c%02d", channel.bank, channel.number);
        text += std::string(place) + " RF" + tenDigitHz(channel.hz) + " ST" + sixDigitStep(channel.stepHz) + " MD" +
                std::to_string(channel.modeDigit) + " AU" + (channel.autoMode ? "1" : "0") + " AT" +
                (channel.attenuator ? "1" : "0") + " TM" + channel.text + "\n";
    }
    return text;
}

bool replaceReportFile(const std::string& path, const std::string& text) {
    const std::string scratch = path + ".tmp";
    const int fd = ::open(scratch.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    std::size_t done = 0;
    bool written = true;
    while (done < text.size()) {
        const ssize_t count = ::write(fd, text.data() + done, text.size() - done);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            written = false;
            break;
        }
        done += static_cast<std::size_t>(count);
    }
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(scratch.c_str(), path.c_str()) != 0) {
        ::unlink(scratch.c_str());
        return false;
    }
    return true;
}

}  // namespace receiver_sim
