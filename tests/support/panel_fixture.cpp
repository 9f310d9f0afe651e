#include "support/panel_fixture.h"

namespace voxpan::testing {

std::vector<std::string> PanelTest::logLines() const {
    std::vector<std::string> lines;
    auto found = fake.files.find("debug1.dat");
    if (found == fake.files.end()) return lines;
    const std::string& content = found->second;
    std::size_t at = 0;
    while (at < content.size()) {
        std::size_t end = content.find("\r\n", at);
        if (end == std::string::npos) {
            lines.push_back(content.substr(at));
            break;
        }
        lines.push_back(content.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

}  // namespace voxpan::testing
