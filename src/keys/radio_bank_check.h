// The Z key: checks the receiver's ten memory banks, A to J, and sets to
// "90" each whose setting is something else. It runs inside one key, where
// nothing else is handled, so every wait in it is bounded: a receiver that
// does not answer ends the check with "rnc" within a few seconds a bank.
#pragma once

#include "panel/panel_state.h"

namespace voxpan {

// Says "ckconfig", asks "MW" + letter for A to J, sets those not at "90",
// and says "ok" only when every bank answered and every setting was taken.
void checkRadioBanks(Panel& panel);

// For the bank in bankCheckLetter: says its letter, sends "MW" + letter +
// "90" and waits, beeping every 25 pauses, until the receiver has sent
// something. Sets bankCheckGivenUp to 1 when it does not in time.
void setRadioBankTo90(Panel& panel);

}  // namespace voxpan
