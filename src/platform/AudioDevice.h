// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one audio output of the program, opened by the first sound or track that needs it. When
// no output can be opened the answer stays false for the rest of the run, and every sound and
// track is a silent object: the game goes on without sound. Once it has answered true, Mixer()
// has every function.
bool OpenAudioDevice();

// The format the output is opened with; captured output (SDL's disk driver) comes in this form:
// interleaved native-endian signed 16-bit stereo frames.
constexpr int kAudioFrequency = 44100;
constexpr int kAudioChannels = 2;
