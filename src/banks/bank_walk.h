#pragma once
#include "panel/panel_state.h"
namespace voxpan {
int channelCount(const BankTable& lines);
int nextChannelIndex(const BankTable& lines, int index);
int previousChannelIndex(const BankTable& lines, int index);
}  // namespace voxpan
