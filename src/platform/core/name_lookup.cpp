#include "platform/core/name_lookup.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace voxpan {

struct NameLookup::Shared {
    std::mutex mutex;
    std::condition_variable answered;
    bool done = false;
    std::vector<SocketAddress> addresses;
    std::string why;
};

NameLookup::NameLookup(Sockets& sockets, const std::string& host, const std::string& port)
    : shared_(std::make_shared<Shared>()), host_(host), port_(port) {
    try {
        // The thread holds the shared answer, so it may outlive this lookup.
        std::thread([shared = shared_, &sockets, host, port] {
            std::string why;
            std::vector<SocketAddress> found = sockets.resolve(host, port, false, why);
            const std::lock_guard<std::mutex> lock(shared->mutex);
            shared->addresses = std::move(found);
            shared->why = std::move(why);
            shared->done = true;
            shared->answered.notify_all();
        }).detach();
    } catch (const std::system_error& error) {
        shared_->why = std::string("cannot start looking the name up: ") + error.what();
        shared_->done = true;
    }
}

bool NameLookup::wait(int waitMs) {
    std::unique_lock<std::mutex> lock(shared_->mutex);
    return shared_->answered.wait_for(lock, std::chrono::milliseconds(waitMs > 0 ? waitMs : 0),
                                      [&] { return shared_->done; });
}

std::vector<SocketAddress> NameLookup::addresses() const {
    const std::lock_guard<std::mutex> lock(shared_->mutex);
    return shared_->addresses;
}

std::string NameLookup::why() const {
    const std::lock_guard<std::mutex> lock(shared_->mutex);
    return shared_->why;
}

}  // namespace voxpan
