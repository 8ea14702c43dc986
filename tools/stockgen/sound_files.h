// The click sounds: short synthesized 16-bit PCM mono WAV files, one per sound number.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace k2stock {

constexpr int32_t SoundSampleRate = 22050;

// A complete RIFF/WAVE file holding the samples.
std::string EncodeWav(const std::vector<int16_t>& samples, int32_t sampleRate = SoundSampleRate);

// The samples of sound `number` (0..13 and 36); any other number gives the general sound of k2.wav.
std::vector<int16_t> SynthesizeSound(int number);

} // namespace k2stock
