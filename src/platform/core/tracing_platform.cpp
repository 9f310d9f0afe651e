#include "platform/core/tracing_platform.h"

namespace voxpan {

TracingPlatform::TracingPlatform(Platform& inner, const std::string& tracePath)
    : inner_(inner), file_(std::fopen(tracePath.c_str(), "ab")) {
    if (file_ == nullptr) std::perror(("voxpan: cannot open the trace file " + tracePath).c_str());
}

TracingPlatform::~TracingPlatform() {
    if (file_ != nullptr) std::fclose(file_);
}

void TracingPlatform::trace(std::string_view kind, std::string_view fields) {
    if (file_ == nullptr) return;
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_);
    std::string line = std::to_string(elapsed.count()) + "\t" + std::string(kind);
    if (!fields.empty()) line += "\t" + std::string(fields);
    line += "\n";
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fflush(file_);
}

void TracingPlatform::setFont(std::string_view face, int points, int weight) {
    face_ = face;
    points_ = points;
    weight_ = weight;
    inner_.setFont(face, points, weight);
}

void TracingPlatform::setTextColour(Colour colour) {
    colour_ = colour;
    inner_.setTextColour(colour);
}

void TracingPlatform::drawText(std::string_view text) {
    const Point at = inner_.drawingPosition();
    trace("text", std::to_string(at.x) + "\t" + std::to_string(at.y) + "\t" + face_ + "\t" + std::to_string(points_) +
                      "\t" + std::to_string(weight_) + "\t" + std::to_string(colour_.red) + "," +
                      std::to_string(colour_.green) + "," + std::to_string(colour_.blue) + "\t" + std::string(text));
    inner_.drawText(text);
}

std::vector<WindowEvent> TracingPlatform::waitEvents() {
    std::vector<WindowEvent> events = inner_.waitEvents();
    for (const WindowEvent& event : events) {
        switch (event.kind) {
            case EventKind::KeyDown: trace("key-down", std::to_string(event.param)); break;
            case EventKind::KeyUp: trace("key-up", std::to_string(event.param)); break;
            case EventKind::Close: trace("close", ""); break;
            case EventKind::Timer: break;
        }
    }
    return events;
}

SoundResult TracingPlatform::playSound(std::string_view path) {
    trace("play", path);
    return inner_.playSound(path);
}

bool TracingPlatform::sayText(std::string_view text) {
    const bool said = inner_.sayText(text);
    if (said) trace("say", text);
    return said;
}

}  // namespace voxpan
