// Click sounds through Qt Multimedia: sounds/k2NN.wav under the installation directory, played
// asynchronously, to the end, or only when nothing else plays. Never blocks without audio.
#pragma once

#include "core/platform.h"

#include <QElapsedTimer>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class QSoundEffect;

namespace k2 {

// The file name of sound `number`: "k200.wav".."k213.wav", "k236.wav", else "k2.wav".
std::string SoundFileName(int number);

// The playing time of a PCM wave file, from its "fmt " and "data" chunks; nothing when the
// file is missing, truncated or not a wave file.
std::optional<int32_t> WavDurationMs(const std::filesystem::path& file);

class QtSoundPlayer : public SoundPlayer {
  public:
    explicit QtSoundPlayer(std::filesystem::path installDir);
    ~QtSoundPlayer() override;

    bool Play(int number, int mode) override;

    // True while the last sound started is still within its playing time.
    bool IsPlaying() const;

    std::filesystem::path SoundPath(int number) const;

  protected:
    // The audio back end; tests replace it to exercise the mode rules without a sound card.
    virtual bool AudioAvailable() const;
    virtual bool StartEffect(const std::filesystem::path& file);
    virtual void StopEffect();
    // Runs a local event loop for at most `boundMs`, returning early when the effect ends.
    virtual void WaitForEnd(int32_t boundMs);

  private:
    std::filesystem::path installDir_;
    std::unique_ptr<QSoundEffect> effect_;
    QElapsedTimer started_;
    int32_t playingMs_ = 0;
};

} // namespace k2
