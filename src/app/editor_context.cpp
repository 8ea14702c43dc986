#include "app/editor_context.h"

#include "app/message_box.h"
#include "app/qt_platform.h"
#include "sound/sound_player.h"

namespace k2 {

PlatformSeams::PlatformSeams() = default;
PlatformSeams::PlatformSeams(PlatformSeams&&) noexcept = default;
PlatformSeams& PlatformSeams::operator=(PlatformSeams&&) noexcept = default;
PlatformSeams::~PlatformSeams() {
    // The boxes refer to the question box, so they go first.
    boxes.reset();
    questionBox.reset();
}

PlatformSeams MakeQtSeams(const std::filesystem::path& installDir) {
    PlatformSeams seams;
    seams.sounds = std::make_unique<QtSoundPlayer>(installDir);
    seams.questionBox = std::make_unique<TQRMMsgBox>(*seams.sounds);
    seams.boxes = std::make_unique<QtMessageBoxes>(*seams.questionBox, nullptr);
    seams.chooser = std::make_unique<QtFileChooser>(nullptr);
    seams.help = std::make_unique<QtHelpViewer>(nullptr);
    seams.recoveryFolder = RecoveryStore::DefaultFolder();
    return seams;
}

EditorContext::EditorContext(std::filesystem::path installDir, PlatformSeams seams)
    : installDir_(std::move(installDir)), scenario_(std::make_unique<Scenario>()), history_(*scenario_),
      renderer_(*scenario_, symbols_, switches_), seams_(std::move(seams)), loader_(*this) {
    if (!seams_.recoveryFolder.empty())
        recovery_ = std::make_unique<RecoveryStore>(seams_.recoveryFolder, seams_.recoveryClock,
                                                    seams_.recoveryInterval);
}

Status EditorContext::Loader::Load(const std::string& terrainSet, const std::string& unitSet,
                                   const std::function<void(int32_t)>& progress) {
    return LoadSymbolSet(context_.symbols_, context_.installDir_, terrainSet, unitSet,
                         [&progress](int position) { progress(position); });
}

} // namespace k2
