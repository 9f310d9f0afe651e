#pragma once
#include "panel/panel_state.h"
namespace voxpan {
void putFrequency(Panel& panel);
void copyBank(Panel& panel);
}  // namespace voxpan
