#pragma once

namespace sys {

// Where there is no sound card, SDL's tries through ALSA make ALSA write its
// complaints (no card, no such device) to standard error, a screenful at
// every start. This turns ALSA's message handler to the log: the terminal
// stays quiet and the lines are still there for whoever looks into missing
// sound. Harmless where ALSA is not installed; the library, once found, stays
// loaded, so the handler outlives SDL's loading and unloading of it. Call
// before SDL opens its audio.
void RouteAlsaMessagesToLog();

}  // namespace sys
