#include "platform/win32/win32_sound.h"

#include <windows.h>
#include <mmsystem.h>

#include "platform/win32/error_output.h"
#include "platform/win32/wide_text.h"

namespace voxpan {

namespace {

// A recorded word is a second or two; anything this large is no word.
constexpr LONGLONG kLargestRecording = 64LL << 20;

// Kinds of trouble, each told once.
enum Trouble : unsigned { kNone, kNoDevice, kBusy, kGone, kUnopened };

std::optional<std::string> fileBytes(const std::string& file) {
    HANDLE handle = CreateFileW(wideText(file).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
    LARGE_INTEGER size{};
    std::string bytes;
    DWORD got = 0;
    if (GetFileSizeEx(handle, &size) && size.QuadPart > 0 && size.QuadPart <= kLargestRecording) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        if (!ReadFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) got = 0;
        bytes.resize(got);
    }
    CloseHandle(handle);
    return bytes;
}

}  // namespace

std::string soundFileFor(std::string_view path) {
    if (path.empty() || path.find('\0') != std::string_view::npos) return {};
    const std::size_t lastPart = path.find_last_of("/\\:");
    const std::string_view name = lastPart == std::string_view::npos ? path : path.substr(lastPart + 1);
    if (name.empty()) return {};
    std::string file(path);
    if (name.find('.') == std::string_view::npos) file += ".wav";
    return file;
}

Win32Sound::Win32Sound(ErrorOutput& errors, std::unique_ptr<WaveOutput> output)
    : errors_(errors), output_(std::move(output)) {}

Win32Sound::~Win32Sound() {
    if (open_) output_->close();
}

const std::vector<std::int16_t>* Win32Sound::recording(const std::string& file) {
    auto kept = recordings_.find(file);
    if (kept != recordings_.end()) return &kept->second;
    const std::optional<std::string> bytes = fileBytes(file);
    const std::optional<PcmSound> sound = bytes ? decodeWav(*bytes) : std::nullopt;
    if (!sound || sound->samples.empty()) return nullptr;
    // The output takes the format of the first word; the others are put
    // into it.
    if (rate_ == 0) {
        rate_ = sound->rate;
        channels_ = sound->channels;
    }
    return &recordings_.emplace(file, convertedTo(*sound, rate_, channels_).samples).first->second;
}

bool Win32Sound::outputOpen() {
    if (open_) return true;
    const unsigned result = output_->open(rate_, channels_);
    switch (result) {
    case MMSYSERR_NOERROR:
        open_ = true;
        return true;
    case MMSYSERR_ALLOCATED:
        tell(kBusy, "voxpan: the sound device is in use by another program: the words will not be heard until "
                    "it lets go");
        return false;
    case MMSYSERR_BADDEVICEID:
    case MMSYSERR_NODRIVER:
        tell(kNoDevice, "voxpan: no sound device, the words will not be heard");
        return false;
    default:
        tell(kUnopened, "voxpan: the sound device does not open (waveOut error " + std::to_string(result) +
                            "): the words will not be heard");
        return false;
    }
}

void Win32Sound::tell(unsigned problem, std::string_view line) {
    if (told_ == problem) return;
    told_ = problem;
    errors_.line(line);
}

SoundResult Win32Sound::play(std::string_view path) {
    const std::string file = soundFileFor(path);
    if (file.empty()) return SoundResult::NoRecording;
    const DWORD attributes = GetFileAttributesW(wideText(file).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return SoundResult::NoRecording;
    try {
        const std::vector<std::int16_t>* samples = recording(file);
        if (samples == nullptr) return SoundResult::Unplayable;
        if (!outputOpen()) return SoundResult::NoDevice;
        if (output_->play(*samples) != MMSYSERR_NOERROR) {
            // Unplugged, or taken by another program: opened again for the
            // next word.
            output_->close();
            open_ = false;
            tell(kGone, "voxpan: the sound device went away or was taken by another program: the words will not "
                        "be heard until it is back");
            return SoundResult::NoDevice;
        }
        told_ = kNone;
        return SoundResult::Played;
    } catch (const std::exception&) {
        // Out of memory for a recording: the word is skipped, the panel goes on.
        return SoundResult::Unplayable;
    }
}

}  // namespace voxpan
