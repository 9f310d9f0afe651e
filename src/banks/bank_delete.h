#pragma once
#include "panel/panel_state.h"
namespace voxpan {
void deleteBankFile(Panel& panel);
}  // namespace voxpan
