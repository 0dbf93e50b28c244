// SPDX-License-Identifier: GPL-3.0-or-later
// Every sound file of the game, each made by one function.
#pragma once

#include "synth.h"

namespace sounds {

// Effects, for the folder "Sounds": 44.1 kHz stereo, each starting and ending in silence.
synth::Sound Score();         // a word was crossed out
synth::Sound NoScore();       // the stroke missed
synth::Sound Swap();          // two tiles changed places
synth::Sound Fanfare();       // the board is cleared
synth::Sound Click();         // a menu item was chosen
synth::Sound Rollover();      // the pointer entered a menu item
synth::Sound PageTurn();      // the book turns a page forward
synth::Sound PageTurnBack();  // the book turns a page back
synth::Sound Controls();      // the options page opens
synth::Sound Starter();       // a game starts
synth::Sound HiScore();       // a new best score

// Music, for the folder "Music": 22.05 kHz stereo loops.
synth::Sound TenderPiano();
synth::Sound LivelyLatin();

// The mixer adds every effect on top of the music, which at the loudest music setting plays at
// its own full level. The loudest effect over the loudest moment of either track must stay within
// full scale, less a little room for the mixer's resampling of the 22 kHz music, which overshoots
// its samples by up to about two percent. The room is shared in the proportion in which the
// effects stand out from the music at the middle setting, where they must be heard clearly.
constexpr double kMusicPeak = 0.5;
constexpr double kLoudestEffect = 0.47;

// The last touches every effect gets: its level (its peak as a share of the loudest effect's),
// and fades to silence that are too short to hear but keep the first and the last sample at zero.
inline void FinishEffect(synth::Sound& sound, double level, double fadeOut = 0.02) {
  synth::FadeEdges(sound, 0.003, fadeOut);
  synth::Normalise(sound, kLoudestEffect * level);
}

}  // namespace sounds
