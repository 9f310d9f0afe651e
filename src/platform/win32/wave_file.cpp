#include "platform/win32/wave_file.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace voxpan {

namespace {

constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kFloat = 3;
constexpr std::uint16_t kExtensible = 0xFFFE;
constexpr int kHighestRate = 384000;

std::uint32_t little(std::string_view bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

struct Format {
    std::uint16_t tag = 0;
    int channels = 0;
    int rate = 0;
    int bits = 0;
};

std::int16_t sampleAt(std::string_view data, std::size_t at, const Format& format) {
    switch (format.bits) {
    case 8:  // unsigned, silence at 128
        return static_cast<std::int16_t>((static_cast<int>(little(data, at, 1)) - 128) * 256);
    case 16:
        return static_cast<std::int16_t>(little(data, at, 2));
    case 24:
        return static_cast<std::int16_t>(little(data, at + 1, 2));
    default:
        if (format.tag == kFloat) {
            const std::uint32_t bits = little(data, at, 4);
            float value = 0;
            std::memcpy(&value, &bits, sizeof value);
            if (!std::isfinite(value)) value = 0;
            return static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0F, 1.0F) * 32767.0F));
        }
        return static_cast<std::int16_t>(little(data, at + 2, 2));
    }
}

bool playable(const Format& format) {
    if (format.channels < 1 || format.channels > 2 || format.rate < 1 || format.rate > kHighestRate) return false;
    if (format.tag == kFloat) return format.bits == 32;
    return format.tag == kPcm && (format.bits == 8 || format.bits == 16 || format.bits == 24 || format.bits == 32);
}

}  // namespace

std::optional<PcmSound> decodeWav(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") return std::nullopt;
    std::optional<Format> format;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string_view id = bytes.substr(at, 4);
        const std::size_t size = little(bytes, at + 4, 4);
        const std::size_t body = at + 8;
        // A chunk that claims more than the file holds ends with the file.
        const std::size_t present = std::min(size, bytes.size() - body);
        if (id == "fmt " && present >= 16) {
            Format read{static_cast<std::uint16_t>(little(bytes, body, 2)),
                        static_cast<int>(little(bytes, body + 2, 2)), static_cast<int>(little(bytes, body + 4, 4)),
                        static_cast<int>(little(bytes, body + 14, 2))};
            // The sub-format's first two bytes are the format's tag.
            if (read.tag == kExtensible && present >= 26)
                read.tag = static_cast<std::uint16_t>(little(bytes, body + 24, 2));
            format = read;
        } else if (id == "data") {
            if (!format || !playable(*format)) return std::nullopt;
            const std::size_t step = static_cast<std::size_t>(format->bits / 8);
            const std::size_t frame = step * static_cast<std::size_t>(format->channels);
            const std::string_view data = bytes.substr(body, present / frame * frame);
            PcmSound sound{format->rate, format->channels, {}};
            sound.samples.reserve(data.size() / step);
            for (std::size_t sample = 0; sample < data.size(); sample += step)
                sound.samples.push_back(sampleAt(data, sample, *format));
            return sound;
        }
        // Chunks are padded to an even length.
        at = body + size + (size & 1);
        if (at < body) break;
    }
    return std::nullopt;
}

PcmSound convertedTo(const PcmSound& sound, int rate, int channels) {
    if (sound.rate == rate && sound.channels == channels) return sound;
    PcmSound result{rate, channels, {}};
    if (sound.channels < 1 || sound.rate < 1 || rate < 1 || channels < 1) return result;
    const std::size_t frames = sound.samples.size() / static_cast<std::size_t>(sound.channels);
    if (frames == 0) return result;
    // The frame of the source at a frame of the result, as a mix of the two
    // neighbours; each channel taken from its own or the one there is.
    auto source = [&](std::size_t frame, int channel) -> double {
        const std::size_t at = frame * static_cast<std::size_t>(sound.channels);
        if (sound.channels == channels) return sound.samples[at + static_cast<std::size_t>(channel)];
        if (sound.channels == 1) return sound.samples[at];
        return (static_cast<double>(sound.samples[at]) + sound.samples[at + 1]) / 2;
    };
    const auto outFrames = static_cast<std::size_t>(static_cast<double>(frames) * rate / sound.rate);
    result.samples.reserve(outFrames * static_cast<std::size_t>(channels));
    for (std::size_t frame = 0; frame < outFrames; ++frame) {
        const double position = static_cast<double>(frame) * sound.rate / rate;
        const auto before = std::min(static_cast<std::size_t>(position), frames - 1);
        const std::size_t after = std::min(before + 1, frames - 1);
        const double share = position - static_cast<double>(before);
        for (int channel = 0; channel < channels; ++channel) {
            const double value = source(before, channel) * (1 - share) + source(after, channel) * share;
            result.samples.push_back(static_cast<std::int16_t>(std::lround(std::clamp(value, -32768.0, 32767.0))));
        }
    }
    return result;
}

}  // namespace voxpan
