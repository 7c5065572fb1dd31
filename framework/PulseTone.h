#pragma once

#include "Beep.h"

// Tones synthesized and played through the sound server's asynchronous API,
// one connection per tone, every wait bounded by a deadline.
class CPulseToneOutput : public CToneOutput {
  public:
    void Play(int frequencyHz, int durationMs) override;
};
