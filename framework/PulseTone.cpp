#include "PulseTone.h"

#include <pulse/context.h>
#include <pulse/mainloop.h>
#include <pulse/stream.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kSampleRate = 48000;
constexpr int kFadeSamples = kSampleRate / 1000; // 1 ms: no click at either end
constexpr auto kGrace = std::chrono::milliseconds(500);

std::vector<std::int16_t> Synthesize(int frequencyHz, int durationMs) {
    const int count = kSampleRate * durationMs / 1000;
    std::vector<std::int16_t> samples(static_cast<std::size_t>(std::max(count, 0)));
    for (int k = 0; k < count; ++k) {
        const double envelope = std::min({1.0, static_cast<double>(k) / kFadeSamples,
                                          static_cast<double>(count - k) / kFadeSamples});
        const double phase = 2.0 * std::numbers::pi * frequencyHz * k / kSampleRate;
        samples[static_cast<std::size_t>(k)] =
            static_cast<std::int16_t>(12000.0 * envelope * std::sin(phase));
    }
    return samples;
}

// One tone's connection: a main loop that is only ever run up to a deadline.
class ToneSession {
  public:
    explicit ToneSession(Clock::time_point deadline) : m_deadline(deadline) {
        m_loop = pa_mainloop_new();
        if (m_loop != nullptr)
            m_context = pa_context_new(pa_mainloop_get_api(m_loop), "Quib");
    }

    ~ToneSession() {
        if (m_stream != nullptr) {
            pa_stream_disconnect(m_stream);
            pa_stream_unref(m_stream);
        }
        if (m_context != nullptr) {
            pa_context_disconnect(m_context);
            pa_context_unref(m_context);
        }
        if (m_loop != nullptr)
            pa_mainloop_free(m_loop);
    }

    bool Connect() {
        if (m_context == nullptr ||
            pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
            return false;
        return RunUntil([&] {
                   const pa_context_state_t state = pa_context_get_state(m_context);
                   return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
               }) &&
               pa_context_get_state(m_context) == PA_CONTEXT_READY;
    }

    bool Play(const std::vector<std::int16_t>& samples) {
        const pa_sample_spec spec{PA_SAMPLE_S16LE, kSampleRate, 1};
        m_stream = pa_stream_new(m_context, "tone", &spec, nullptr);
        if (m_stream == nullptr)
            return false;
        // A short target length keeps the latency, and so the wait, small.
        pa_buffer_attr attributes{};
        attributes.maxlength = static_cast<std::uint32_t>(-1);
        attributes.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(20000, &spec));
        attributes.prebuf = static_cast<std::uint32_t>(-1);
        attributes.minreq = static_cast<std::uint32_t>(-1);
        attributes.fragsize = static_cast<std::uint32_t>(-1);
        if (pa_stream_connect_playback(m_stream, nullptr, &attributes, PA_STREAM_ADJUST_LATENCY,
                                       nullptr, nullptr) < 0)
            return false;
        if (!RunUntil([&] {
                const pa_stream_state_t state = pa_stream_get_state(m_stream);
                return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
            }) ||
            pa_stream_get_state(m_stream) != PA_STREAM_READY)
            return false;

        // The whole tone at once: the server buffers it, so playback never
        // waits for the next write and cannot run dry halfway.
        if (pa_stream_write(m_stream, samples.data(), samples.size() * sizeof(std::int16_t),
                            nullptr, 0, PA_SEEK_RELATIVE) < 0)
            return false;
        bool drained = false;
        pa_operation* drain = pa_stream_drain(
            m_stream, [](pa_stream*, int, void* flag) { *static_cast<bool*>(flag) = true; },
            &drained);
        if (drain == nullptr)
            return false;
        const bool done = RunUntil([&] { return drained; });
        pa_operation_unref(drain);
        return done;
    }

  private:
    // One round of the loop, waiting no longer than the deadline allows.
    bool Iterate() {
        const auto left =
            std::chrono::duration_cast<std::chrono::microseconds>(m_deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        if (pa_mainloop_prepare(m_loop, static_cast<int>(left.count())) < 0 ||
            pa_mainloop_poll(m_loop) < 0 || pa_mainloop_dispatch(m_loop) < 0)
            return false;
        return true;
    }

    template <typename Done> bool RunUntil(Done done) {
        while (!done()) {
            if (!Iterate())
                return false;
        }
        return true;
    }

    Clock::time_point m_deadline;
    pa_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    pa_stream* m_stream = nullptr;
};

} // namespace

void PulseToneOutput::Play(int frequencyHz, int durationMs) {
    if (durationMs <= 0)
        return;
    const Clock::time_point deadline =
        Clock::now() + std::chrono::milliseconds(durationMs) + kGrace;
    ToneSession session(deadline);
    if (session.Connect())
        session.Play(Synthesize(frequencyHz, durationMs));
}
