#include "faults.h"

#include <algorithm>
#include <vector>

namespace receiver_sim {
namespace {

// Stray bytes never form a keyword, a digit field, "%" or a line end, and
// leave out the bytes a terminal line would act on (XON/XOFF, interrupt,
// erase and the like), so a stray run is noise around an answer and nothing
// more.
const std::string& strayAlphabet() {
    static const std::string alphabet = [] {
        std::string bytes = "abcdefghijklmnopqrstuvwxyz#&*+-/:;<=>@[]^_`{|}~";
        bytes.push_back('\0');
        for (int b = 0x80; b <= 0xff; ++b) {
            bytes.push_back(static_cast<char>(b));
        }
        return bytes;
    }();
    return alphabet;
}

}  // namespace

ReplyLine::ReplyLine(Fault fault, unsigned seed, Micros slowDelay, Micros splitGap)
    : fault_(fault), slowDelay_(slowDelay), splitGap_(splitGap), random_(seed) {}

std::string ReplyLine::strayBytes(int count) {
    const std::string& alphabet = strayAlphabet();
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        bytes.push_back(alphabet[pick(random_)]);
    }
    return bytes;
}

void ReplyLine::send(const std::string& reply, Micros due) {
    switch (fault_) {
    case Fault::Silent:
        return;
    case Fault::None:
        queue(reply, due);
        return;
    case Fault::Slow:
        queue(reply, due + slowDelay_);
        return;
    case Fault::Split: {
        if (reply.size() < 2) {
            queue(reply, due);
            return;
        }
        std::size_t pieces = std::min<std::size_t>(reply.size(), 2 + random_() % 2);
        std::vector<std::size_t> cuts;
        std::uniform_int_distribution<std::size_t> cutAt(1, reply.size() - 1);
        while (cuts.size() + 1 < pieces) {
            std::size_t cut = cutAt(random_);
            if (std::find(cuts.begin(), cuts.end(), cut) == cuts.end()) {
                cuts.push_back(cut);
            }
        }
        std::sort(cuts.begin(), cuts.end());
        cuts.push_back(reply.size());
        std::size_t from = 0;
        for (std::size_t i = 0; i < cuts.size(); ++i) {
            queue(reply.substr(from, cuts[i] - from), due + static_cast<Micros>(i) * splitGap_);
            from = cuts[i];
        }
        return;
    }
    case Fault::Garbage: {
        std::uniform_int_distribution<int> runLength(0, 6);
        int before = runLength(random_);
        int after = runLength(random_);
        if (before + after == 0) {
            before = 1;
        }
        std::string framed = strayBytes(before);
        framed += reply;
        framed += strayBytes(after);
        queue(framed, due);
        return;
    }
    }
}

void ReplyLine::queue(std::string bytes, Micros due) {
    due = std::max(due, lastDue_);
    lastDue_ = due;
    pieces_.push_back(Piece{due, std::move(bytes)});
}

std::string ReplyLine::take(Micros now) {
    std::string bytes;
    while (!pieces_.empty() && pieces_.front().due <= now) {
        bytes += pieces_.front().bytes;
        pieces_.pop_front();
    }
    return bytes;
}

}  // namespace receiver_sim
