// Text scores for the songs and their rendering through FluidSynth.
//
// A score is a list of lines; "#" starts a comment. Commands:
//   title TEXT                     name written into the file's tags
//   tempo BPM | meter BEATS | bars N   loop length is N bars of BEATS beats
//   tail SECONDS                   how long to keep rendering after the loop end; the
//                                  tail is folded back onto the start so the loop is seamless
//   voice NAME program P [bank B] [drums] [vol V] [pan P] [reverb R] [chorus C]
//         [hold H] [vel V] [human H]
//       one MIDI channel; hold stretches every note (plucked strings ring on),
//       vel is the default velocity, human the size of the seeded velocity jitter
//   phrase NAME ... end            notes, one token each:
//       PITCH[+PITCH...][:DUR][@VEL]  e.g. D4:1/2, D3+A3:4@60, 38:1 (drum key numbers)
//       r[:DUR]                       rest; a duration sticks until the next one given
//       |                             bar line, ignored
//   play VOICE POS PHRASE... [xN] [tr SEMITONES] [vel +/-N]
//       POS is BAR or BAR:BEAT, both counted from 1; notes past the loop end wrap round
//   bowl POS PITCH DB              a struck singing bowl
//   wind DB                        a bed of soft wind under the whole song
#pragma once

#include <string>

#include "dsp.hpp"

namespace sfx {

struct RenderedSong {
    std::string title;
    Sound audio;  // exactly one loop, stereo
};

// Throws std::runtime_error with the line number on a malformed score.
RenderedSong RenderScore(const std::string& scorePath, const std::string& soundFont);

}  // namespace sfx
