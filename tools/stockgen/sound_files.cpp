#include "stockgen/sound_files.h"

#include "stockgen/seeded_noise.h"

#include <algorithm>
#include <cmath>

namespace k2stock {
namespace {

void PutLE(std::string& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

struct Synth {
    std::vector<double> buf;
    explicit Synth(double seconds) : buf(static_cast<size_t>(std::ceil(seconds * SoundSampleRate)), 0.0) {}

    // A tone gliding from f0 to f1 Hz, with a fast attack and exponential decay.
    void Tone(double start, double length, double f0, double f1, double amp, double decay,
              double harmonics = 0) {
        double phase = 0;
        const size_t from = static_cast<size_t>(start * SoundSampleRate);
        const size_t n = static_cast<size_t>(length * SoundSampleRate);
        for (size_t i = 0; i < n && from + i < buf.size(); ++i) {
            const double t = i / double(SoundSampleRate);
            const double f = f0 + (f1 - f0) * (i / double(n));
            phase += 2 * M_PI * f / SoundSampleRate;
            const double env = std::min(1.0, t / 0.003) * std::exp(-t * decay) * (1 - double(i) / n);
            buf[from + i] +=
                amp * env *
                (std::sin(phase) + harmonics * std::sin(2 * phase) + harmonics * 0.5 * std::sin(3 * phase));
        }
    }
    // Low-passed noise, as for a drum skin or a click.
    void Noise(double start, double length, double amp, double decay, double smoothing, uint32_t seed) {
        SeededRandom r(seed);
        double y = 0;
        const size_t from = static_cast<size_t>(start * SoundSampleRate);
        const size_t n = static_cast<size_t>(length * SoundSampleRate);
        for (size_t i = 0; i < n && from + i < buf.size(); ++i) {
            const double t = i / double(SoundSampleRate);
            y += (r.Range(-1, 1) - y) * smoothing;
            buf[from + i] += amp * y * std::exp(-t * decay) * (1 - double(i) / n);
        }
    }
    void Drum(double start, double amp) {
        Tone(start, 0.12, 140, 70, amp, 28);
        Noise(start, 0.08, amp * 0.8, 45, 0.25, static_cast<uint32_t>(start * 1000) + 3);
    }
    std::vector<int16_t> Samples() const {
        std::vector<int16_t> out;
        double peak = 1e-9;
        for (double v : buf)
            peak = std::max(peak, std::abs(v));
        const double gain = std::min(1.0, 0.9 / peak) * 32767;
        for (double v : buf)
            out.push_back(static_cast<int16_t>(std::lround(std::clamp(v * gain, -32767.0, 32767.0))));
        return out;
    }
};

} // namespace

std::string EncodeWav(const std::vector<int16_t>& samples, int32_t rate) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::string out = "RIFF";
    PutLE(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    PutLE(out, 16, 4);                              // fmt chunk size
    PutLE(out, 1, 2);                               // PCM
    PutLE(out, 1, 2);                               // mono
    PutLE(out, static_cast<uint32_t>(rate), 4);     // sample rate
    PutLE(out, static_cast<uint32_t>(rate) * 2, 4); // bytes per second
    PutLE(out, 2, 2);                               // block align
    PutLE(out, 16, 2);                              // bits per sample
    out += "data";
    PutLE(out, dataBytes, 4);
    for (int16_t s : samples)
        PutLE(out, static_cast<uint16_t>(s), 2);
    return out;
}

std::vector<int16_t> SynthesizeSound(int number) {
    switch (number) {
    case 0: {
        Synth s(0.35);
        s.Tone(0, 0.35, 660, 660, 0.6, 9, 0.3);
        s.Tone(0.0, 0.35, 990, 990, 0.3, 12);
        return s.Samples();
    }
    case 1: {
        Synth s(0.15);
        s.Tone(0, 0.15, 880, 1100, 0.6, 25);
        return s.Samples();
    }
    case 2: {
        Synth s(0.15);
        s.Tone(0, 0.15, 1100, 880, 0.6, 25);
        return s.Samples();
    }
    case 3: {
        Synth s(0.25);
        s.Tone(0, 0.1, 523, 523, 0.6, 20);
        s.Tone(0.1, 0.15, 784, 784, 0.6, 20);
        return s.Samples();
    }
    case 4: {
        Synth s(0.25);
        s.Tone(0, 0.1, 784, 784, 0.6, 20);
        s.Tone(0.1, 0.15, 523, 523, 0.6, 20);
        return s.Samples();
    }
    case 5: {
        Synth s(0.2);
        s.Noise(0, 0.2, 0.7, 20, 0.6, 55);
        s.Tone(0, 0.2, 300, 200, 0.3, 20);
        return s.Samples();
    }
    case 6: {
        Synth s(0.06);
        s.Noise(0, 0.06, 0.6, 160, 0.5, 66);
        s.Tone(0, 0.06, 1800, 1500, 0.25, 140);
        return s.Samples();
    }
    case 7: {
        Synth s(0.3);
        s.Tone(0, 0.3, 440, 440, 0.5, 10, 0.5);
        return s.Samples();
    }
    case 8: {
        Synth s(0.2);
        s.Tone(0, 0.2, 1320, 1320, 0.4, 30);
        s.Tone(0.05, 0.15, 1760, 1760, 0.3, 30);
        return s.Samples();
    }
    case 9: {
        Synth s(0.3);
        s.Tone(0, 0.3, 200, 600, 0.5, 8);
        return s.Samples();
    }
    case 10: {
        Synth s(0.3);
        s.Tone(0, 0.3, 600, 200, 0.5, 8);
        return s.Samples();
    }
    case 11: { // a muster drum: three beats
        Synth s(0.55);
        s.Drum(0.0, 0.9);
        s.Drum(0.16, 0.7);
        s.Drum(0.32, 1.0);
        return s.Samples();
    }
    case 12: {
        Synth s(0.2);
        s.Tone(0, 0.2, 1000, 1000, 0.4, 15);
        s.Tone(0, 0.2, 1500, 1500, 0.2, 15);
        return s.Samples();
    }
    case 13: { // a dull refusal: a low falling buzz
        Synth s(0.3);
        s.Tone(0, 0.3, 150, 110, 0.7, 8, 0.6);
        s.Noise(0, 0.06, 0.3, 60, 0.2, 13);
        return s.Samples();
    }
    case 36: {
        Synth s(0.5);
        s.Tone(0, 0.5, 392, 392, 0.5, 5, 0.4);
        s.Tone(0.12, 0.38, 494, 494, 0.4, 6);
        s.Tone(0.24, 0.26, 587, 587, 0.4, 7);
        return s.Samples();
    }
    default: {
        Synth s(0.08);
        s.Tone(0, 0.08, 1200, 1200, 0.5, 50);
        return s.Samples();
    }
    }
}

} // namespace k2stock
