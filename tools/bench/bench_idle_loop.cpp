// CPU use of the panel's event loop while nothing happens: the window open,
// timer 1 ticking every 100 ms, every tick handed over and nothing done with
// it. A second run redraws the signal bar every third tick, as the panel does
// while the receiver answers its level polls. Needs a display (DISPLAY).
//
//   bench_idle_loop [seconds]     (10 by default)

#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "panel/version.h"
#include "platform/sdl/sdl_platform.h"
#include "shell/startup.h"

namespace {

double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

struct Figures {
    int ticks = 0;
    int otherEvents = 0;
    double wallSeconds = 0;
    double cpuSeconds = 0;
};

Figures runLoop(voxpan::SdlPlatform& panel, double seconds, bool drawBar) {
    using Clock = std::chrono::steady_clock;
    Figures figures;
    const auto wallStart = Clock::now();
    const double cpuStart = processCpuSeconds();
    panel.startTimer(1, 100);
    while (std::chrono::duration<double>(Clock::now() - wallStart).count() < seconds) {
        for (const voxpan::WindowEvent& event : panel.waitEvents()) {
            if (event.kind != voxpan::EventKind::Timer) {
                ++figures.otherEvents;
                continue;
            }
            ++figures.ticks;
            if (drawBar && figures.ticks % 3 == 0) {
                panel.setTextColour(voxpan::kGreen);
                panel.moveTo(320, 30);
                panel.setFont("Ariel", 30, 700);
                panel.drawText(std::string(figures.ticks % 18, '*') + ">" + std::string(17, ' '));
                panel.setTextColour(voxpan::kBlack);
            }
        }
    }
    panel.stopTimer(1);
    figures.cpuSeconds = processCpuSeconds() - cpuStart;
    figures.wallSeconds = std::chrono::duration<double>(Clock::now() - wallStart).count();
    return figures;
}

void print(const char* name, const Figures& figures) {
    std::printf("%-34s wall %6.2f s  cpu %7.4f s  = %6.3f %% of one core  "
                "(%d ticks, %d other events)\n",
                name, figures.wallSeconds, figures.cpuSeconds,
                100.0 * figures.cpuSeconds / figures.wallSeconds, figures.ticks,
                figures.otherEvents);
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    voxpan::SdlPlatform panel;
    if (!panel.createWindow(250, 100, 950, 500, voxpan::kWindowTitle))
        return 1;
    panel.moveTo(270, 0);
    panel.drawText(std::string("*** Voxpan V ") + voxpan::kVersionText + " ***");
    // Fonts are found and opened once; that start-up cost is not the loop's.
    panel.setFont("Ariel", 30, 700);
    panel.moveTo(320, 30);
    panel.drawText(">");

    std::printf("idle event loop, timer 1 at 100 ms, %.0f s each (target: under 1 %%)\n",
                seconds);
    print("ticks only", runLoop(panel, seconds, false));
    print("signal bar redrawn every 3rd tick", runLoop(panel, seconds / 2, true));
    panel.closeWindow();
    return 0;
}
