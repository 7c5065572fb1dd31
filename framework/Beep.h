#pragma once

// Where tones go. The default plays them on the desktop's sound server; tests
// put a recorder in its place.
class ToneOutput {
  public:
    virtual ~ToneOutput() = default;
    // Plays a tone and returns when it has ended.
    virtual void Play(int frequencyHz, int durationMs) = 0;
};

// Replaces the tone output; nullptr restores the sound server's. The caller
// keeps ownership.
void SetToneOutput(ToneOutput* output);

// Plays a tone of that frequency and duration and returns when it has ended.
// Without a sound server it is silent and returns at once; it never takes
// longer than the tone plus half a second.
void Beep(int frequencyHz, int durationMs);
