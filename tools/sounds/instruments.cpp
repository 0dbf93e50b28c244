// SPDX-License-Identifier: GPL-3.0-or-later
#include "instruments.h"

#include <algorithm>
#include <cmath>

namespace synth {
namespace {

// A decaying sine turned by one complex multiplication a sample: cheap enough for the dozens of
// partials of every piano note. It starts at zero phase, so it starts without a click.
void AddMode(Mono& voice, int rate, double hz, double level, double t60) {
  if (hz >= 0.45 * rate || level <= 0.0) return;
  const double w = 2.0 * kPi * hz / rate;
  const double r = std::pow(0.001, 1.0 / (t60 * rate));
  // Below -80 dB a mode is inaudible under the rest; stop turning it there.
  const size_t audible = static_cast<size_t>(std::log(1e-4) / std::log(r));
  const size_t n = std::min(voice.size(), audible);
  const double cr = r * std::cos(w), ci = r * std::sin(w);
  double re = level, im = 0.0;
  for (size_t i = 0; i < n; ++i) {
    voice[i] += static_cast<float>(im);
    const double next = re * cr - im * ci;
    im = re * ci + im * cr;
    re = next;
  }
}

}  // namespace

Mono Modal(int rate, double hz, const std::vector<Mode>& modes, double seconds) {
  Mono voice = Silence(rate, seconds);
  for (const Mode& mode : modes) AddMode(voice, rate, hz * mode.ratio, mode.level, mode.t60);
  return voice;
}

Mono Piano(int rate, double hz, double held, double velocity) {
  // Stiff strings: each overtone is a little sharp of its harmonic, more so up the keyboard.
  const double stiffness = std::clamp(0.0002 * hz / 262.0, 0.00005, 0.002);
  // Low strings ring for many seconds, high ones for a few.
  const double ring = std::clamp(9.0 * std::pow(110.0 / hz, 0.55), 1.2, 12.0);
  // Harder blows bring out the upper partials.
  const double tilt = 2.6 - 1.4 * velocity;
  std::vector<Mode> modes;
  for (int n = 1; n <= 12; ++n) {
    const double ratio = n * std::sqrt(1.0 + stiffness * n * n);
    if (hz * ratio > 9000.0) break;
    // The hammer strikes an eighth of the way along, which mutes the partials near the 8th.
    const double level = std::pow(n, -tilt) * (0.3 + std::fabs(std::sin(kPi * n / 8.0)));
    const double t60 = ring / (1.0 + 0.5 * (n - 1));
    // Two or three strings a note, almost in tune: a loud part that fades fast and a quieter,
    // slightly detuned part that lingers, which gives the piano's two-stage decay and shimmer.
    modes.push_back({ratio, 0.7 * level, 0.3 * t60});
    modes.push_back({ratio * 1.0006, 0.3 * level, t60});
  }
  const double release = 0.35;
  Mono voice = Modal(rate, hz, modes, std::min(held + release * 1.5, 1.3 * ring));
  Random thump(static_cast<uint64_t>(hz * 1000.0));
  Mono hammer = Noise(rate, 0.03, thump);
  ApplyFilter(hammer, rate, Filter::Kind::kLow, std::min(4.0 * hz, 3000.0), 0.7);
  Release(hammer, rate, 0.0, 0.02);
  for (size_t i = 0; i < std::min(hammer.size(), voice.size()); ++i) voice[i] += 0.04f * hammer[i];
  Attack(voice, rate, 0.002);
  Release(voice, rate, held, release);
  const float gain = static_cast<float>(0.6 * std::pow(velocity, 1.3));
  for (float& v : voice) v *= gain;
  return voice;
}

// A free steel bar: its overtones lie far from the harmonics, which is what makes it ring
// like a bell; a soft octave under them keeps the chime warm.
Mono Glockenspiel(int rate, double hz, double seconds) {
  Mono voice = Modal(rate, hz,
                     {{1.0, 1.0, seconds},
                      {2.0, 0.25, 0.5 * seconds},
                      {2.76, 0.3, 0.35 * seconds},
                      {5.40, 0.12, 0.2 * seconds},
                      {8.93, 0.05, 0.1 * seconds}},
                     seconds);
  // A plastic mallet, not a steel one: the strike is bright but not a tick.
  Attack(voice, rate, 0.001);
  return voice;
}

// A tuned wooden bar: its first overtone is cut to sit two octaves up, and the overtones die
// almost at once, so the note is round and short.
Mono Marimba(int rate, double hz, double velocity) {
  const double ring = std::clamp(0.9 * std::pow(440.0 / hz, 0.5), 0.25, 1.5);
  Mono voice =
      Modal(rate, hz,
            {{1.0, 1.0, ring}, {3.93, 0.25 * velocity, 0.15}, {9.2, 0.08 * velocity, 0.05}}, ring);
  Attack(voice, rate, 0.001);
  return voice;
}

// Aluminium bars tuned like a marimba's but ringing long, with the motor's slow tremolo.
Mono Vibraphone(int rate, double hz, double seconds) {
  Mono voice =
      Modal(rate, hz, {{1.0, 1.0, seconds}, {4.0, 0.2, 0.3 * seconds}, {10.0, 0.05, 0.1}}, seconds);
  for (size_t i = 0; i < voice.size(); ++i) {
    voice[i] *= static_cast<float>(0.8 + 0.2 * std::cos(2.0 * kPi * 5.5 * i / rate));
  }
  Attack(voice, rate, 0.001);
  return voice;
}

// A plucked bass string: a round fundamental, and a bright finger snap that is gone at once.
Mono Bass(int rate, double hz, double held, double velocity) {
  std::vector<Mode> modes;
  const double levels[] = {1.0, 0.55, 0.3, 0.18, 0.1, 0.06};
  for (int n = 1; n <= 6; ++n) modes.push_back({double(n), levels[n - 1], 2.2 / std::pow(n, 0.7)});
  for (int n = 2; n <= 10; ++n) modes.push_back({double(n), 0.25 * velocity / n, 0.08});
  Mono voice = Modal(rate, hz, modes, held + 0.2);
  Attack(voice, rate, 0.004);
  Release(voice, rate, held, 0.1);
  for (float& v : voice) v *= static_cast<float>(0.4 + 0.6 * velocity);
  return voice;
}

// Karplus-Strong: a burst of noise circulating in a delay line as long as one period, smoothed
// a little on every pass, as a string loses its high partials first.
Mono Pluck(int rate, double hz, double seconds, Random& random) {
  // The two-point average delays by half a sample; a first-order allpass supplies the fraction
  // that keeps the note in tune.
  const double period = rate / hz - 0.5;
  const size_t length = std::max<size_t>(2, static_cast<size_t>(std::floor(period - 0.1)));
  const double fraction = period - length;
  const double coefficient = (1.0 - fraction) / (1.0 + fraction);
  std::vector<double> line(length);
  double smooth = 0.0;
  // A finger, not a plectrum: the burst is smoothed, so the note starts round.
  for (double& v : line) v = smooth += 0.3 * (random.Bipolar() - smooth);
  // Smoothed noise wanders off zero, and the loop keeps any offset for as long as the note
  // rings: a low string would sit off centre for a second. The burst is centred on zero.
  double mean = 0.0;
  for (double v : line) mean += v;
  mean /= static_cast<double>(line.size());
  for (double& v : line) v -= mean;
  Mono voice = Silence(rate, seconds);
  double last = 0.0, apIn = 0.0, apOut = 0.0;
  size_t at = 0;
  for (float& out : voice) {
    const double delayed = line[at];
    const double averaged = 0.5 * (delayed + last);
    last = delayed;
    apOut = coefficient * (averaged - apOut) + apIn;
    apIn = averaged;
    line[at] = 0.996 * apOut;
    if (++at == length) at = 0;
    out = static_cast<float>(delayed);
  }
  // Gut strings, not steel: the upper partials stay soft from the start.
  ApplyFilter(voice, rate, Filter::Kind::kLow, std::min(8.0 * hz, 0.4 * rate), 0.7);
  Attack(voice, rate, 0.001);
  return voice;
}

}  // namespace synth
