#pragma once
#include "panel/panel_state.h"
namespace voxpan {
void checkRadioBanks(Panel& panel);
}  // namespace voxpan
