#pragma once

#include "Beep.h"

// Tones synthesized and played through the sound server's asynchronous API,
// one connection per tone, every wait bounded by a deadline.
class PulseToneOutput : public ToneOutput {
  public:
    void Play(int frequencyHz, int durationMs) override;
};
