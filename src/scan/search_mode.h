#pragma once
#include "panel/panel_state.h"
namespace voxpan {
void startSearch(Panel& panel);
void recordSearchHit(Panel& panel);
void finishSearch(Panel& panel);
}  // namespace voxpan
