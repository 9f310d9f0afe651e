// A host name looked up on a helper thread. The system's resolver may wait
// for a name server that does not answer for half a minute; the panel's
// thread never waits for it longer than it chooses to. A lookup given up
// is left to end by itself when the resolver answers at last.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/core/sockets.h"

namespace voxpan {

class NameLookup {
public:
    // Starts the lookup. `sockets` must live as long as the program (the
    // system's sockets do): a lookup given up may still use them.
    NameLookup(Sockets& sockets, const std::string& host, const std::string& port);
    // Waits up to waitMs for the answer; true once it has come.
    bool wait(int waitMs);
    // The answer, once it has come: the addresses, or none and why.
    std::vector<SocketAddress> addresses() const;
    std::string why() const;
    bool isFor(const std::string& host, const std::string& port) const { return host == host_ && port == port_; }

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    std::string host_;
    std::string port_;
};

}  // namespace voxpan
