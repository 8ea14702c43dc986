// Sound file names, wave header reading and the three playing modes, with a back end that
// stands in for a sound card so that the rules can be seen on any machine.
#include "sound/sound_player.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QTemporaryDir>

#include <gmock/gmock.h>

#include <cstdint>
#include <fstream>
#include <vector>

namespace k2 {
namespace {

void Put32(std::vector<char>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(char((v >> (8 * i)) & 0xFF));
}
void Put16(std::vector<char>& out, uint16_t v) {
    out.push_back(char(v & 0xFF));
    out.push_back(char(v >> 8));
}
void PutId(std::vector<char>& out, const char* id) {
    out.insert(out.end(), id, id + 4);
}

// A mono 16-bit PCM wave of `samples` samples at 22050 Hz, with an odd-sized chunk before
// the format to make the reader walk chunks properly.
std::vector<char> MakeWave(uint32_t samples, bool extraChunk = false, uint32_t claimedData = 0) {
    std::vector<char> body;
    PutId(body, "WAVE");
    if (extraChunk) {
        PutId(body, "LIST");
        Put32(body, 3);
        body.insert(body.end(), {'a', 'b', 'c', 0}); // three bytes and the pad byte
    }
    PutId(body, "fmt ");
    Put32(body, 16);
    Put16(body, 1);
    Put16(body, 1);
    Put32(body, 22050);
    Put32(body, 22050 * 2);
    Put16(body, 2);
    Put16(body, 16);
    PutId(body, "data");
    Put32(body, claimedData ? claimedData : samples * 2);
    body.insert(body.end(), size_t(samples) * 2, 0);
    std::vector<char> file;
    PutId(file, "RIFF");
    Put32(file, uint32_t(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

void Write(const std::filesystem::path& path, const std::vector<char>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

TEST(SoundFileNameTest, NumberedFilesAndTheFallback) {
    const std::vector<std::pair<int, std::string>> cases = {
        {0, "k200.wav"},  {6, "k206.wav"},  {9, "k209.wav"}, {10, "k210.wav"},
        {13, "k213.wav"}, {36, "k236.wav"}, {14, "k2.wav"},  {20, "k2.wav"},
        {35, "k2.wav"},   {37, "k2.wav"},   {-1, "k2.wav"},  {100, "k2.wav"}};
    for (const auto& [number, name] : cases)
        EXPECT_EQ(SoundFileName(number), name) << number;
}

class WaveFileTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    std::filesystem::path Path(const char* name) const {
        return std::filesystem::path(dir.path().toStdString()) / name;
    }
};

TEST_F(WaveFileTest, DurationComesFromTheDataChunk) {
    Write(Path("a.wav"), MakeWave(11025));
    EXPECT_EQ(WavDurationMs(Path("a.wav")), 500);
    Write(Path("b.wav"), MakeWave(22050 * 2, true));
    EXPECT_EQ(WavDurationMs(Path("b.wav")), 2000);
}

TEST_F(WaveFileTest, DataClaimingMoreThanTheFileCountsOnlyWhatIsThere) {
    Write(Path("c.wav"), MakeWave(2205, false, 0x7FFFFFF0));
    EXPECT_EQ(WavDurationMs(Path("c.wav")), 100);
}

TEST_F(WaveFileTest, DamagedOrForeignFilesHaveNoDuration) {
    std::vector<char> wave = MakeWave(100);
    std::vector<char> truncated(wave.begin(), wave.begin() + 30); // inside the format chunk
    Write(Path("t.wav"), truncated);
    std::vector<char> foreign = wave;
    foreign[0] = 'X';
    Write(Path("f.wav"), foreign);
    Write(Path("e.wav"), {});
    std::vector<char> noFormat;
    PutId(noFormat, "RIFF");
    Put32(noFormat, 12);
    PutId(noFormat, "WAVE");
    PutId(noFormat, "data");
    Put32(noFormat, 0);
    Write(Path("n.wav"), noFormat);
    for (const char* name : {"t.wav", "f.wav", "e.wav", "n.wav", "missing.wav"})
        EXPECT_EQ(WavDurationMs(Path(name)), std::nullopt) << name;
}

// Pretends there is a sound card, and records what the player asks of it.
class FakeCardPlayer : public QtSoundPlayer {
  public:
    using QtSoundPlayer::QtSoundPlayer;
    std::vector<std::string> log;
    bool startSucceeds = true;

  protected:
    bool AudioAvailable() const override { return true; }
    bool StartEffect(const std::filesystem::path& file) override {
        log.push_back("start " + file.filename().string());
        return startSucceeds;
    }
    void StopEffect() override { log.push_back("stop"); }
    void WaitForEnd(int32_t boundMs) override {
        log.push_back("wait " + std::to_string(boundMs));
        QtSoundPlayer::WaitForEnd(boundMs);
    }
};

class SoundModeTest : public WaveFileTest {
  protected:
    void SetUp() override {
        Write(Path("sounds/k206.wav"), MakeWave(22050 * 30)); // long enough to still play
        Write(Path("sounds/k211.wav"), MakeWave(441));        // 20 ms
        Write(Path("sounds/k2.wav"), MakeWave(441));
    }
    std::filesystem::path Install() const { return dir.path().toStdString(); }
};

TEST_F(SoundModeTest, ModeOneStartsTheNumberedFileWithoutWaiting) {
    FakeCardPlayer player(Install());
    EXPECT_TRUE(player.Play(6, 1));
    EXPECT_THAT(player.log, ::testing::ElementsAre("stop", "start k206.wav"));
    EXPECT_TRUE(player.IsPlaying());
    EXPECT_EQ(player.SoundPath(6), Install() / "sounds" / "k206.wav");
}

TEST_F(SoundModeTest, UnknownNumbersPlayTheFallbackFile) {
    FakeCardPlayer player(Install());
    EXPECT_TRUE(player.Play(20, 1));
    EXPECT_THAT(player.log, ::testing::ElementsAre("stop", "start k2.wav"));
}

TEST_F(SoundModeTest, ModeTwoWaitsForTheLengthOfTheSoundAndThenIsDone) {
    FakeCardPlayer player(Install());
    EXPECT_TRUE(player.Play(11, 2));
    EXPECT_THAT(player.log, ::testing::ElementsAre("stop", "start k211.wav", "wait 20"));
    EXPECT_FALSE(player.IsPlaying());
    // Nothing plays any more, so a polite sound may start.
    EXPECT_TRUE(player.Play(11, 3));
}

TEST_F(SoundModeTest, ModeThreeDoesNotInterruptAPlayingSound) {
    FakeCardPlayer player(Install());
    ASSERT_TRUE(player.Play(6, 1));
    player.log.clear();
    EXPECT_FALSE(player.Play(11, 3));
    EXPECT_TRUE(player.log.empty());
    // Mode 1 cuts the playing sound off.
    EXPECT_TRUE(player.Play(11, 1));
    EXPECT_THAT(player.log, ::testing::ElementsAre("stop", "start k211.wav"));
}

TEST_F(SoundModeTest, OtherModesPlayNothing) {
    FakeCardPlayer player(Install());
    for (int mode : {0, 4, -1, 99})
        EXPECT_FALSE(player.Play(6, mode)) << mode;
    EXPECT_TRUE(player.log.empty());
}

TEST_F(SoundModeTest, PlaybackThatCannotStartReportsFalse) {
    FakeCardPlayer player(Install());
    EXPECT_FALSE(player.Play(7, 1)); // no k207.wav in this installation
    player.startSucceeds = false;
    EXPECT_FALSE(player.Play(6, 2));
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_EQ(std::count(player.log.begin(), player.log.end(), "wait 30000"), 0);
}

TEST_F(SoundModeTest, MissingSoundsFolderFailsInEveryMode) {
    FakeCardPlayer player(Install() / "elsewhere");
    for (int mode : {1, 2, 3})
        EXPECT_FALSE(player.Play(6, mode)) << mode;
    EXPECT_TRUE(player.log.empty());
    QtSoundPlayer real(Install() / "elsewhere");
    for (int mode : {1, 2, 3})
        EXPECT_FALSE(real.Play(6, mode)) << mode;
}

// The real back end starts a sound exactly when the machine has an audio output, and a sound
// played to the end has ended when Play returns, with or without a device.
TEST_F(SoundModeTest, RealBackEndStartsOnlyWithAnAudioOutput) {
    Write(Path("sounds/k212.wav"), MakeWave(2205));
    const bool audio = !QMediaDevices::defaultAudioOutput().isNull();
    QtSoundPlayer player(Install());
    EXPECT_EQ(player.Play(12, 2), audio);
    EXPECT_FALSE(player.IsPlaying());
    // Nothing plays any more, so a polite sound starts when anything can.
    EXPECT_EQ(player.Play(12, 3), audio);
    EXPECT_EQ(player.Play(12, 1), audio);
}

} // namespace
} // namespace k2
