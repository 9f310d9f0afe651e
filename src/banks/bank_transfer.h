#pragma once
#include "panel/panel_state.h"
namespace voxpan {
void writeBankToReceiver(Panel& panel);
}  // namespace voxpan
