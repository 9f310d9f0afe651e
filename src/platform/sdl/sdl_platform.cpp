#include "platform/sdl/sdl_platform.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "platform/core/local_clock.h"
#include "platform/core/posix_sockets.h"
#include "platform/core/working_folder.h"
#include "platform/sdl/display_loss.h"
#include "platform/sdl/font_cache.h"
#include "platform/sdl/font_lookup.h"
#include "platform/sdl/key_codes.h"
#include "platform/sdl/signal_watch.h"
#include "platform/sdl/tick_timers.h"
#include "platform/sdl/window_image.h"
#include "platform/sdl/x_event_wait.h"
#include "platform/sdl/x_request_errors.h"
#ifdef VOXPAN_WITH_SPEECH_DISPATCHER
#include "platform/speechd/speech_dispatcher_voice.h"
#endif

namespace voxpan {

namespace {

// The panel's texts hold at most 254 characters and a little padding;
// SDL_ttf converts the text on the stack, so nothing longer is drawn.
constexpr std::size_t kLongestDrawnText = 2048;
constexpr int kLargestWindowSide = 16384;

// The longest the event loop waits before it looks at a close request from
// a signal: no other thread posts events (see x_event_wait.h).
constexpr auto kLongestWait = std::chrono::milliseconds(100);

Uint8 colourPart(int value) { return static_cast<Uint8>(std::clamp(value, 0, 255)); }

int movedRight(int x, int width) {
    const std::int64_t moved = static_cast<std::int64_t>(x) + width;
    return static_cast<int>(std::min<std::int64_t>(moved, std::numeric_limits<int>::max()));
}

void reportNoWindow() {
    std::fprintf(stderr, "voxpan: cannot open the panel window: %s\n", SDL_GetError());
}

// With no display to reach, SDL falls back by itself to an invisible
// off-screen window. Nobody could see the panel then, so that counts as no
// window at all, unless the driver was asked for by name (SDL_VIDEODRIVER).
bool onlyAnInvisibleWindowIsPossible() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr) return true;
    const std::string_view chosen(driver);
    if (chosen != "offscreen" && chosen != "dummy") return false;
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    return asked == nullptr || *asked == '\0';
}

// Events the panel never uses; left off the queue so they cannot wake it.
// The sound devices coming and going are posted from SDL's audio thread.
void ignoreUnusedEvents() {
    for (Uint32 type : {SDL_MOUSEMOTION, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP, SDL_MOUSEWHEEL,
                        SDL_TEXTINPUT, SDL_TEXTEDITING, SDL_FINGERDOWN, SDL_FINGERUP,
                        SDL_FINGERMOTION, SDL_MULTIGESTURE, SDL_DOLLARGESTURE,
                        SDL_AUDIODEVICEADDED, SDL_AUDIODEVICEREMOVED})
        SDL_EventState(type, SDL_IGNORE);
}

std::unique_ptr<SystemVoice> openSystemVoice(SpeechPace pace, std::string& problem) {
#ifdef VOXPAN_WITH_SPEECH_DISPATCHER
    return SpeechDispatcherVoice::open(pace, problem);
#else
    (void)pace;
    problem = "this panel was built without speech-dispatcher";
    return nullptr;
#endif
}

}  // namespace

struct SdlPlatform::Window {
    Window();
    ~Window();

    bool open(int x, int y, int width, int height, std::string_view title);
    void close();
    void draw(std::string_view text);
    void present();
    std::vector<WindowEvent> waitEvents();

    bool startSdl(Uint32 subsystems);
    void stopSdl();
    int millisecondsToWait() const;
    void collect(const SDL_Event& event, std::vector<WindowEvent>& events, bool& closeGiven);

    Uint32 sdlSubsystems = 0;
    bool ttfRunning = false;
    std::atomic<bool> closeRequested{false};

    SDL_Window* window = nullptr;
    std::optional<XEventWait> xEvents;
    std::unique_ptr<WindowImage> image;
    FontCache fonts;
    TickTimers timers;
    float dpi = 96.0F;

    // Drawing state; before the first change the window draws in its
    // default face, in black.
    Point position;
    std::string face{kDefaultFace};
    int points = kDefaultPoints;
    int weight = kDefaultWeight;
    Colour colour = kBlack;

    std::unique_ptr<SignalWatch> signals;
};

SdlPlatform::Window::Window() {
    signals = std::make_unique<SignalWatch>([this] { closeRequested = true; });
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
}

SdlPlatform::Window::~Window() {
    signals.reset();
    close();
    fonts.clear();
    if (ttfRunning) TTF_Quit();
    stopSdl();
}

bool SdlPlatform::Window::startSdl(Uint32 subsystems) {
    const Uint32 missing = subsystems & ~sdlSubsystems;
    if (missing == 0) return true;
    // SDL's own handlers would turn the signals into quit events behind the
    // watch's back; SDL_Quit forgets hints, so set it before every start.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The panel is an ordinary window: it does not keep the screen awake.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    // The image goes to the window as it is (X shared memory); a GPU texture
    // gains nothing for a few lines of text and costs much CPU where OpenGL
    // is emulated in software (virtual machines, remote and virtual displays).
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_InitSubSystem(missing) != 0) return false;
    sdlSubsystems |= missing;
    return true;
}

void SdlPlatform::Window::stopSdl() {
    if (sdlSubsystems == 0) return;
    SDL_QuitSubSystem(sdlSubsystems);
    sdlSubsystems = 0;
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
}

bool SdlPlatform::Window::open(int x, int y, int width, int height, std::string_view title) {
    if (window != nullptr) return true;
    // Before SDL's X11 driver starts: it hands X errors on to this handler.
    surviveRefusedXRequests();
    if (!startSdl(SDL_INIT_VIDEO | SDL_INIT_EVENTS)) {
        reportNoWindow();
        return false;
    }
    if (onlyAnInvisibleWindowIsPossible()) {
        std::fprintf(stderr, "voxpan: cannot open the panel window: no display (is DISPLAY set?)\n");
        return false;
    }
    width = std::clamp(width, 1, kLargestWindowSide);
    height = std::clamp(height, 1, kLargestWindowSide);
    const std::string titleText(title);
    // Not resizable: the window manager offers close and minimise only.
    window = SDL_CreateWindow(titleText.c_str(), x, y, width, height, SDL_WINDOW_SHOWN);
    if (window == nullptr) {
        reportNoWindow();
        return false;
    }
    image = std::make_unique<WindowImage>(width, height);
    if (!image->valid()) {
        reportNoWindow();
        close();
        return false;
    }
    SDL_StopTextInput();
    ignoreUnusedEvents();
    xEvents.emplace(window);
    if (!xEvents->possible()) xEvents.reset();

    float verticalDpi = 0.0F;
    std::optional<float> reported;
    const int display = SDL_GetWindowDisplayIndex(window);
    if (display >= 0 && SDL_GetDisplayDPI(display, nullptr, nullptr, &verticalDpi) == 0)
        reported = verticalDpi;
    dpi = plausibleDpi(reported);

    if (!ttfRunning) {
        if (TTF_Init() == 0)
            ttfRunning = true;
        else
            std::fprintf(stderr, "voxpan: cannot draw text: %s\n", TTF_GetError());
    }
    image->presentIfStale(window);
    return true;
}

void SdlPlatform::Window::close() {
    image.reset();
    xEvents.reset();
    // A window on a display that has gone cannot be destroyed any more.
    if (window != nullptr && !displayLost()) SDL_DestroyWindow(window);
    window = nullptr;
}

void SdlPlatform::Window::draw(std::string_view text) {
    if (image == nullptr || !ttfRunning || text.empty()) return;
    const std::string bytes(text.substr(0, kLongestDrawnText));
    TTF_Font* font = fonts.fontFor(face, weight, fontPixelSize(points, dpi));
    if (font == nullptr) return;
    const SDL_Color ink{colourPart(colour.red), colourPart(colour.green), colourPart(colour.blue),
                        SDL_ALPHA_OPAQUE};
    const SDL_Color paper{255, 255, 255, SDL_ALPHA_OPAQUE};
    // Shaded rendering fills the whole text box with the paper colour, so
    // blanks erase what was drawn there before. The bytes are read as Latin-1.
    SDL_Surface* picture = TTF_RenderText_Shaded(font, bytes.c_str(), ink, paper);
    if (picture == nullptr) return;
    image->paint(picture, position.x, position.y);
    position.x = movedRight(position.x, picture->w);
    SDL_FreeSurface(picture);
}

void SdlPlatform::Window::present() {
    if (image != nullptr && !displayLost()) image->presentIfStale(window);
}

int SdlPlatform::Window::millisecondsToWait() const {
    const auto wait = std::min<TickTimers::Clock::duration>(
        timers.untilNextTick(TickTimers::Clock::now()).value_or(kLongestWait), kLongestWait);
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(wait).count());
}

void SdlPlatform::Window::collect(const SDL_Event& event, std::vector<WindowEvent>& events,
                                  bool& closeGiven) {
    auto giveClose = [&] {
        if (!closeGiven) events.push_back({EventKind::Close, 0});
        closeGiven = true;
    };
    switch (event.type) {
    case SDL_QUIT:
        giveClose();
        return;
    case SDL_WINDOWEVENT:
        switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            giveClose();
            return;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            if (image != nullptr) image->markWindowStale();
            return;
        default:
            return;
        }
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        if (auto key = windowEventForKey(event.key)) events.push_back(*key);
        return;
    default:
        return;
    }
}

std::vector<WindowEvent> SdlPlatform::Window::waitEvents() {
    std::vector<WindowEvent> events;
    bool closeGiven = false;
    while (events.empty()) {
        // Without a window (or SDL's event queue) there is nothing to wait
        // for: the panel is done.
        if (window == nullptr || SDL_WasInit(SDL_INIT_EVENTS) == 0) return {{EventKind::Close, 0}};
        present();
        SDL_Event event;
        const int waitMs = millisecondsToWait();
        if (!closeRequested && waitMs > 0) {
            if (xEvents)
                xEvents->wait(waitMs);
            else if (SDL_WaitEventTimeout(&event, waitMs) == 1)
                collect(event, events, closeGiven);
        }
        while (SDL_PollEvent(&event) == 1) collect(event, events, closeGiven);
        for (int number : timers.takeDueTicks(TickTimers::Clock::now()))
            events.push_back({EventKind::Timer, number});
        if (closeRequested.exchange(false) && !closeGiven) {
            events.push_back({EventKind::Close, 0});
            closeGiven = true;
        }
    }
    return events;
}

// --- SdlPlatform --------------------------------------------------------------

// The window part comes first: it blocks the signals before the other members
// can start a thread.
SdlPlatform::SdlPlatform()
    : window_(std::make_unique<Window>()),
      speaker_([this](std::string_view path) { return sound_.play(path); }, &openSystemVoice,
               [this](std::string_view line) { reportProblem(line); }),
      serial_(posixSockets(), printOnStandardError) {}

SdlPlatform::~SdlPlatform() = default;

bool SdlPlatform::createWindow(int x, int y, int width, int height, std::string_view title) {
    return window_->open(x, y, width, height, title);
}

void SdlPlatform::closeWindow() { window_->close(); }

void SdlPlatform::moveTo(int x, int y) { window_->position = {x, y}; }

void SdlPlatform::setFont(std::string_view face, int points, int weight) {
    window_->face = std::string(face);
    window_->points = points;
    window_->weight = weight;
}

void SdlPlatform::setTextColour(Colour colour) { window_->colour = colour; }

void SdlPlatform::drawText(std::string_view text) { window_->draw(text); }

Point SdlPlatform::drawingPosition() { return window_->position; }

void SdlPlatform::startTimer(int timerNumber, int periodMs) {
    window_->timers.start(timerNumber, periodMs, TickTimers::Clock::now());
}

void SdlPlatform::stopTimer(int timerNumber) { window_->timers.stop(timerNumber); }

std::vector<WindowEvent> SdlPlatform::waitEvents() { return window_->waitEvents(); }

SoundResult SdlPlatform::playSound(std::string_view path) {
    // Sighted helpers must see what the panel says while it says it.
    window_->present();
    return speaker_.play(path);
}

bool SdlPlatform::useSystemVoice(SpeechPace pace) { return speaker_.useSystemVoice(pace); }

bool SdlPlatform::sayText(std::string_view text) {
    window_->present();
    return speaker_.say(text);
}

bool SdlPlatform::serialOpen(const std::string& device, int baudRate) {
    return serial_.open(device, baudRate);
}
void SdlPlatform::serialSetNonBlocking() { serial_.setNonBlocking(); }
void SdlPlatform::serialSetLineFormat(int dataBits, int parity, int stopBits) {
    serial_.setLineFormat(dataBits, parity, stopBits);
}
int SdlPlatform::serialBytesWaiting() { return serial_.bytesWaiting(); }
std::string SdlPlatform::serialRead(int maxBytes) { return serial_.read(maxBytes); }
int SdlPlatform::serialWrite(std::string_view bytes) { return serial_.write(bytes); }
void SdlPlatform::serialClose() { serial_.close(); }
bool SdlPlatform::serialLost() { return serial_.lost(); }
bool SdlPlatform::serialOpenQuietly(const std::string& device, int baudRate) {
    return serial_.openQuietly(device, baudRate);
}

FileHandle SdlPlatform::openForReading(const std::string& name) {
    return files_.openForReading(name);
}
FileHandle SdlPlatform::openForWriting(const std::string& name) {
    return files_.openForWriting(name);
}
FileHandle SdlPlatform::openForAppending(const std::string& name) {
    return files_.openForAppending(name);
}
bool SdlPlatform::readLine(FileHandle file, std::string& line) {
    return files_.readLine(file, line);
}
void SdlPlatform::writeLine(FileHandle file, std::string_view line) {
    files_.writeLine(file, line);
}
void SdlPlatform::closeFile(FileHandle file) { files_.closeFile(file); }
bool SdlPlatform::deleteFile(const std::string& name) { return files_.deleteFile(name); }
PathKind SdlPlatform::pathKind(const std::string& name) { return pathKindOf(name); }
std::string SdlPlatform::workingFolder() { return currentFolder(); }
std::string SdlPlatform::installedWordFolder() { return voxpan::installedWordFolder(); }

void SdlPlatform::reportProblem(std::string_view line) {
    std::fprintf(stderr, "voxpan: %.*s\n", static_cast<int>(line.size()), line.data());
}

void SdlPlatform::setDisplayLostHandler(std::function<void()> handler) {
    watchForDisplayLoss(std::move(handler));
}

bool SdlPlatform::replaceTextFile(const std::string& name, const std::vector<std::string>& lines) {
    return files_.replaceTextFile(name, lines);
}

std::string SdlPlatform::todayText() { return localDateText(); }
std::string SdlPlatform::timeText() { return localTimeText(); }
std::string SdlPlatform::localTimestamp() { return localTimestampText(); }
std::int64_t SdlPlatform::steadyMilliseconds() { return steadyMillisecondsNow(); }

void SdlPlatform::sleepMilliseconds(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

const SDL_Surface* SdlPlatform::imageForTesting() const {
    return window_->image ? window_->image->surface() : nullptr;
}

SDL_Window* SdlPlatform::windowForTesting() const { return window_->window; }

}  // namespace voxpan
