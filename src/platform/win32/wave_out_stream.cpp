#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/win32/wave_output.h"

namespace voxpan {

namespace {

// Four blocks of 10 ms queued ahead: a word starts within 40 ms, and its
// end is known within 10 ms of being heard.
constexpr int kBlocks = 4;
constexpr int kBlockMs = 10;
// A word whose end never comes (the output stopped taking samples) is
// given up this long after it should have ended.
constexpr std::chrono::seconds kGiveUpAfter{2};

class WaveOutStream final : public WaveOutput {
public:
    ~WaveOutStream() override { close(); }

    unsigned open(int rate, int channels) override {
        close();
        if (waveOutGetNumDevs() == 0) return MMSYSERR_NODRIVER;
        WAVEFORMATEX format{};
        format.wFormatTag = WAVE_FORMAT_PCM;
        format.nChannels = static_cast<WORD>(channels);
        format.nSamplesPerSec = static_cast<DWORD>(rate);
        format.wBitsPerSample = 16;
        format.nBlockAlign = static_cast<WORD>(channels * 2);
        format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
        blockDone_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        if (blockDone_ == nullptr) return MMSYSERR_NOMEM;
        const MMRESULT result = waveOutOpen(&device_, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(blockDone_),
                                            0, CALLBACK_EVENT);
        if (result != MMSYSERR_NOERROR) {
            device_ = nullptr;
            close();
            return result;
        }
        const auto blockSamples = static_cast<std::size_t>(rate / (1000 / kBlockMs) * channels);
        for (int i = 0; i < kBlocks; ++i) {
            blocks_[i].assign(blockSamples, 0);
            headers_[i] = WAVEHDR{};
            headers_[i].lpData = reinterpret_cast<LPSTR>(blocks_[i].data());
            headers_[i].dwBufferLength = static_cast<DWORD>(blockSamples * sizeof(std::int16_t));
            waveOutPrepareHeader(device_, &headers_[i], sizeof(WAVEHDR));
            headers_[i].dwFlags |= WHDR_DONE;  // free to be filled
        }
        stopping_ = false;
        failure_ = MMSYSERR_NOERROR;
        format_ = format;
        feeder_ = std::thread([this] { feed(); });
        return MMSYSERR_NOERROR;
    }

    unsigned play(const std::vector<std::int16_t>& samples) override {
        const auto length =
            std::chrono::milliseconds(samples.size() * sizeof(std::int16_t) * 1000 / format_.nAvgBytesPerSec);
        std::unique_lock lock(mutex_);
        if (failure_ != MMSYSERR_NOERROR) return failure_;
        word_ = samples.data();
        wordLength_ = samples.size();
        wordPosition_ = 0;
        sounding_ = true;
        const auto giveUp = std::chrono::steady_clock::now() + length + kGiveUpAfter;
        if (!ended_.wait_until(lock, giveUp, [this] { return !sounding_; })) {
            sounding_ = false;
            word_ = nullptr;
            return MMSYSERR_ERROR;
        }
        word_ = nullptr;
        return failure_;
    }

    void close() override {
        if (feeder_.joinable()) {
            {
                std::lock_guard lock(mutex_);
                stopping_ = true;
            }
            SetEvent(blockDone_);
            feeder_.join();
        }
        if (device_ != nullptr) {
            waveOutReset(device_);
            for (WAVEHDR& header : headers_) waveOutUnprepareHeader(device_, &header, sizeof(WAVEHDR));
            waveOutClose(device_);
            device_ = nullptr;
        }
        if (blockDone_ != nullptr) CloseHandle(blockDone_);
        blockDone_ = nullptr;
    }

private:
    // Runs on the feeder thread: every block the output has played is
    // filled again, from the word being said or with silence, and queued.
    void feed() {
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
        for (;;) {
            {
                std::lock_guard lock(mutex_);
                if (stopping_ || !refill()) return;
            }
            WaitForSingleObject(blockDone_, kBlockMs * kBlocks);
        }
    }

    // False when the output no longer takes blocks.
    bool refill() {
        for (WAVEHDR& header : headers_) {
            if ((header.dwFlags & WHDR_DONE) == 0) continue;
            // The block holding the word's last sample has been heard.
            if (header.dwUser != 0 && sounding_) {
                sounding_ = false;
                ended_.notify_all();
            }
            fill(header);
            const MMRESULT result = waveOutWrite(device_, &header, sizeof(WAVEHDR));
            if (result != MMSYSERR_NOERROR) {
                failure_ = result;
                sounding_ = false;
                ended_.notify_all();
                return false;
            }
        }
        return true;
    }

    void fill(WAVEHDR& header) {
        auto* block = reinterpret_cast<std::int16_t*>(header.lpData);
        const std::size_t room = header.dwBufferLength / sizeof(std::int16_t);
        std::size_t given = 0;
        header.dwUser = 0;
        if (sounding_ && word_ != nullptr && wordPosition_ < wordLength_) {
            given = std::min(room, wordLength_ - wordPosition_);
            std::copy(word_ + wordPosition_, word_ + wordPosition_ + given, block);
            wordPosition_ += given;
            header.dwUser = wordPosition_ == wordLength_ ? 1 : 0;
        }
        std::fill(block + given, block + room, std::int16_t{0});
        header.dwFlags &= ~WHDR_DONE;
    }

    HWAVEOUT device_ = nullptr;
    HANDLE blockDone_ = nullptr;
    WAVEFORMATEX format_{};
    std::array<WAVEHDR, kBlocks> headers_{};
    std::array<std::vector<std::int16_t>, kBlocks> blocks_;
    std::thread feeder_;

    // Shared with the feeder thread.
    std::mutex mutex_;
    std::condition_variable ended_;
    const std::int16_t* word_ = nullptr;
    std::size_t wordLength_ = 0;
    std::size_t wordPosition_ = 0;
    bool sounding_ = false;
    bool stopping_ = false;
    MMRESULT failure_ = MMSYSERR_NOERROR;
};

}  // namespace

std::unique_ptr<WaveOutput> makeWaveOutStream() { return std::make_unique<WaveOutStream>(); }

}  // namespace voxpan
