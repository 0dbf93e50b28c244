// SPDX-License-Identifier: GPL-3.0-or-later
// A small room around the instruments, so that notes bloom and fade instead of stopping dry.
#pragma once

#include "synth.h"

namespace synth {

// roomSize and damping run from 0 to 1; wet is the level of the room against the dry sound.
// On a looping sound the room first listens once around the whole loop, so that the echoes of
// its end are already there when its start is heard again: the loop stays seamless.
void AddReverb(Sound& sound, double wet, double roomSize, double damping);

}  // namespace synth
