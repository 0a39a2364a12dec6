// The Effects and Music levels as the ear hears them: a slider position of
// 0..100 percent is a level in decibels, so each step sounds like the same step.
#pragma once

namespace media {

// 0 % is silence; 1..100 % run evenly from about -40 dB to 0 dB (the files'
// own level, or the music's mix level), 0.4 dB a percent: 50 % is -20 dB.
// A level saved before the levels followed the ear (a percentage of the
// amplitude) keeps its meaning at 0 and 100; between them it now reads
// lower (an old 50 %, then -6 dB, is now -20 dB).
inline constexpr double QuietestDecibels = -40.0;

// The level in decibels; meaningless at 0 % (silence).
double LevelDecibels(int percent);
// The factor a sample is multiplied by at the level: 0 at 0 %, 1 at 100 %.
float LevelAmplitude(int percent);

}  // namespace media
