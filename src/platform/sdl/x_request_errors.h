// A request the X server refuses (one that names a window that has gone, say)
// is no reason to end the panel. Xlib's default handler would end it on the
// spot, before the receiver is told that the panel has gone. A lost display
// is another matter: display_loss.h.
#pragma once

namespace voxpan {

// From now on a refused X request prints one line on stderr, for the first
// one only, and the panel goes on.
void surviveRefusedXRequests();

}  // namespace voxpan
