#include "Beep.h"

#include "PulseTone.h"

namespace {

ToneOutput* g_override = nullptr;

} // namespace

void SetToneOutput(ToneOutput* output) {
    g_override = output;
}

void Beep(int frequencyHz, int durationMs) {
    static PulseToneOutput pulse;
    ToneOutput& output = g_override != nullptr ? *g_override : pulse;
    output.Play(frequencyHz, durationMs);
}
