#include "sound/sound_player.h"

#include <QAudioDevice>
#include <QEventLoop>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

#include <array>
#include <cstdio>
#include <fstream>

namespace k2 {

std::string SoundFileName(int number) {
    if ((number >= 0 && number <= 13) || number == 36) {
        std::array<char, 16> name{};
        std::snprintf(name.data(), name.size(), "k2%02d.wav", number);
        return name.data();
    }
    return "k2.wav";
}

namespace {

uint32_t LittleEndian32(const unsigned char* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

} // namespace

std::optional<int32_t> WavDurationMs(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    in.seekg(0, std::ios::end);
    const std::streamoff fileSize = in.tellg();
    in.seekg(0, std::ios::beg);
    unsigned char header[12];
    if (fileSize < 12 || !in.read(reinterpret_cast<char*>(header), 12)) return std::nullopt;
    if (std::string_view(reinterpret_cast<char*>(header), 4) != "RIFF" ||
        std::string_view(reinterpret_cast<char*>(header) + 8, 4) != "WAVE")
        return std::nullopt;

    uint32_t byteRate = 0;
    std::optional<uint32_t> dataSize;
    std::streamoff pos = 12;
    // Walk the chunks; every size is checked against the file so a hostile header cannot make
    // us seek or read beyond its end.
    while (pos + 8 <= fileSize && !dataSize) {
        unsigned char chunk[8];
        in.seekg(pos);
        if (!in.read(reinterpret_cast<char*>(chunk), 8)) return std::nullopt;
        const std::string_view id(reinterpret_cast<char*>(chunk), 4);
        const uint32_t size = LittleEndian32(chunk + 4);
        const std::streamoff body = pos + 8;
        if (id == "fmt ") {
            unsigned char fmt[16];
            if (size < 16 || body + 16 > fileSize || !in.read(reinterpret_cast<char*>(fmt), 16))
                return std::nullopt;
            byteRate = LittleEndian32(fmt + 8);
        } else if (id == "data") {
            // A data chunk that claims more than the file holds plays only what is there.
            dataSize = uint32_t(std::min<std::streamoff>(size, fileSize - body));
        }
        pos = body + std::streamoff(size) + (size & 1);
    }
    if (byteRate == 0 || !dataSize) return std::nullopt;
    return int32_t(int64_t(*dataSize) * 1000 / byteRate);
}

QtSoundPlayer::QtSoundPlayer(std::filesystem::path installDir) : installDir_(std::move(installDir)) {}

QtSoundPlayer::~QtSoundPlayer() = default;

std::filesystem::path QtSoundPlayer::SoundPath(int number) const {
    return installDir_ / "sounds" / SoundFileName(number);
}

bool QtSoundPlayer::IsPlaying() const {
    return playingMs_ > 0 && started_.isValid() && started_.elapsed() < playingMs_;
}

bool QtSoundPlayer::Play(int number, int mode) {
    if (mode < 1 || mode > 3) return false;
    if (mode == 3 && IsPlaying()) return false;
    const std::filesystem::path file = SoundPath(number);
    const std::optional<int32_t> duration = WavDurationMs(file);
    if (!duration || !AudioAvailable()) return false;

    StopEffect();
    playingMs_ = 0;
    if (!StartEffect(file)) return false;
    playingMs_ = *duration;
    started_.start();
    if (mode == 2) {
        WaitForEnd(*duration);
        playingMs_ = 0;
    }
    return true;
}

bool QtSoundPlayer::AudioAvailable() const {
    return !QMediaDevices::defaultAudioOutput().isNull();
}

bool QtSoundPlayer::StartEffect(const std::filesystem::path& file) {
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(file.string()));
    if (!effect_) effect_ = std::make_unique<QSoundEffect>();
    if (effect_->source() != url) effect_->setSource(url);
    if (effect_->status() == QSoundEffect::Error) return false;
    effect_->play();
    return effect_->status() != QSoundEffect::Error;
}

void QtSoundPlayer::StopEffect() {
    if (effect_) effect_->stop();
}

void QtSoundPlayer::WaitForEnd(int32_t boundMs) {
    QEventLoop loop;
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
    if (effect_) {
        QObject::connect(effect_.get(), &QSoundEffect::playingChanged, &loop, [&loop, this] {
            if (!effect_->isPlaying()) loop.quit();
        });
    }
    bound.start(boundMs);
    // Input is held back so that a click cannot re-enter the handler that asked for the sound.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace k2
