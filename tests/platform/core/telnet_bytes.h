// Byte strings written as numbers, for the telnet tests.
#pragma once

#include <initializer_list>
#include <string>

namespace voxpan::testing {

inline std::string bytes(std::initializer_list<int> values) {
    std::string text;
    for (const int value : values) text += static_cast<char>(value);
    return text;
}

}  // namespace voxpan::testing
