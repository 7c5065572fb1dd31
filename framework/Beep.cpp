#include "Beep.h"

#include "PulseTone.h"

namespace {

CToneOutput* g_override = nullptr;

} // namespace

void SetToneOutput(CToneOutput* output) {
    g_override = output;
}

void Beep(int frequencyHz, int durationMs) {
    static CPulseToneOutput pulse;
    CToneOutput& output = g_override != nullptr ? *g_override : pulse;
    output.Play(frequencyHz, durationMs);
}
