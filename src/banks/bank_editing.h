#pragma once
#include "panel/panel_state.h"
namespace voxpan {
void selectBank(Panel& panel);
void sortBank(Panel& panel);
void deleteChannel(Panel& panel);
}  // namespace voxpan
