#include "platform/win32/sapi_voice.h"

#include <windows.h>
#include <sapi.h>

#include <cstdio>

namespace voxpan {

namespace {

std::string errorCode(HRESULT result) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
    return text;
}

std::wstring wideText(std::string_view text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

}  // namespace

int sapiRate(SpeechPace pace) {
    switch (pace) {
        case SpeechPace::Normal: return 0;
        case SpeechPace::Fast: return 4;
        case SpeechPace::Fastest: return 5;
    }
    return 0;
}

std::unique_ptr<SapiVoice> SapiVoice::open(SpeechPace pace, std::string& problem) {
    const HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    // Already started on this thread in another mode: usable all the same.
    const bool startedCom = SUCCEEDED(started);
    ISpVoice* voice = nullptr;
    const HRESULT created =
        CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_ISpVoice, reinterpret_cast<void**>(&voice));
    if (FAILED(created) || voice == nullptr) {
        if (startedCom) CoUninitialize();
        problem = "Windows has no speech interface (SAPI) here (error " + errorCode(created) + ")";
        return nullptr;
    }
    std::unique_ptr<SapiVoice> opened(new SapiVoice(voice, startedCom));
    if (pace != SpeechPace::Normal) voice->SetRate(sapiRate(pace));
    return opened;
}

SapiVoice::~SapiVoice() {
    voice_->Release();
    if (startedCom_) CoUninitialize();
}

SpeechOutcome SapiVoice::say(std::string_view text, std::string& problem) {
    const std::wstring wide = wideText(text);
    const HRESULT spoken = voice_->Speak(wide.c_str(), SPF_ASYNC | SPF_PURGEBEFORESPEAK | SPF_IS_NOT_XML, nullptr);
    if (FAILED(spoken)) {
        problem = "Windows speech (SAPI) cannot say words (error " + errorCode(spoken) + ")";
        return SpeechOutcome::Gone;
    }
    const HRESULT waited = voice_->WaitUntilDone(static_cast<ULONG>(speechBoundMilliseconds(text)));
    if (waited == S_OK) return SpeechOutcome::Said;
    if (waited == S_FALSE) {
        voice_->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
        problem = "Windows speech (SAPI) did not finish saying \"" + std::string(text) + "\" within " +
                  std::to_string(speechBoundMilliseconds(text) / 1000) + " s";
        return SpeechOutcome::NeverEnded;
    }
    problem = "Windows speech (SAPI) stopped while saying \"" + std::string(text) + "\" (error " +
              errorCode(waited) + ")";
    return SpeechOutcome::Gone;
}

}  // namespace voxpan
