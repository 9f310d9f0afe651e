#include "memory_channels.h"

#include "frequency_fields.h"

namespace receiver_sim {
namespace {

constexpr int kDefaultBankSetting = 90;
constexpr std::size_t kChannelTextLength = 12;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::optional<int> singleDigit(std::string_view value, int highest) {
    if (value.size() != 1 || !isDigit(value[0]) || value[0] - '0' > highest) {
        return std::nullopt;
    }
    return value[0] - '0';
}

}  // namespace

bool isBankLetter(char c) { return (c >= 'A' && c <= 'J') || (c >= 'a' && c <= 'j'); }

std::optional<MemoryChannel> parseMemoryWrite(std::string_view fields,
                                              const MemoryChannel& defaults) {
    if (fields.size() < 3 || !isBankLetter(fields[0]) || !isDigit(fields[1]) ||
        !isDigit(fields[2])) {
        return std::nullopt;
    }
    MemoryChannel channel = defaults;
    channel.bank = fields[0];
    channel.number = (fields[1] - '0') * 10 + (fields[2] - '0');
    channel.text.clear();
    bool haveFrequency = false;
    std::string_view rest = fields.substr(3);
    while (!rest.empty()) {
        if (rest[0] == ' ') {
            rest.remove_prefix(1);
            continue;
        }
        if (rest.substr(0, 2) == "TM") {
            channel.text = std::string(rest.substr(2, kChannelTextLength));
            break;
        }
        std::size_t end = rest.find(' ');
        std::string_view field = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end);
        std::string_view name = field.substr(0, 2);
        std::string_view value = field.size() > 2 ? field.substr(2) : std::string_view{};
        if (name == "RF") {
            std::optional<long long> hz = parseFrequencyField(value);
            if (!hz) {
                return std::nullopt;
            }
            channel.hz = *hz;
            haveFrequency = true;
        } else if (name == "ST") {
            std::optional<long long> step = parseStepField(value);
            if (!step) {
                return std::nullopt;
            }
            channel.stepHz = *step;
        } else if (name == "MD") {
            std::optional<int> mode = singleDigit(value, 8);
            if (!mode) {
                return std::nullopt;
            }
            channel.modeDigit = *mode;
        } else if (name == "AU" || name == "AT") {
            std::optional<int> on = singleDigit(value, 1);
            if (!on) {
                return std::nullopt;
            }
            (name == "AU" ? channel.autoMode : channel.attenuator) = *on == 1;
        }
    }
    if (!haveFrequency) {
        return std::nullopt;
    }
    return channel;
}

Memory::Memory(const std::map<char, int>& bankSettings) {
    for (char bank = 'A'; bank <= 'J'; ++bank) {
        settings_[bank] = kDefaultBankSetting;
        settings_[static_cast<char>(bank - 'A' + 'a')] = kDefaultBankSetting;
    }
    for (const auto& [bank, setting] : bankSettings) {
        setSetting(bank, setting);
    }
}

void Memory::store(const MemoryChannel& channel) {
    channels_[{channel.bank, channel.number}] = channel;
}

std::optional<MemoryChannel> Memory::channel(char bank, int number) const {
    auto found = channels_.find({bank, number});
    if (found == channels_.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::vector<MemoryChannel> Memory::channelsOf(char bank) const {
    std::vector<MemoryChannel> list;
    for (const auto& [place, channel] : channels_) {
        if (bank == 0 || place.first == bank) {
            list.push_back(channel);
        }
    }
    return list;
}

int Memory::setting(char bank) const {
    auto found = settings_.find(bank);
    return found == settings_.end() ? -1 : found->second;
}

void Memory::setSetting(char bank, int setting) {
    if (isBankLetter(bank) && setting >= 0 && setting <= 999) {
        settings_[bank] = setting;
    }
}

}  // namespace receiver_sim
