#include "terrain_picker_stock.h"

#include "core/terrain_defs.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace k2test {

const k2::SymbolSet& StockSymbols() {
    static const k2::SymbolSet set = [] {
        k2::SymbolSet loaded;
        QTemporaryDir dir;
        const fs::path root = dir.path().toStdString();
        fs::create_directories(root / "scenarios");
        for (const auto& entry : fs::directory_iterator(fs::path(K2_STOCK_DIR) / "scenarios")) {
            const std::string name = entry.path().filename().string();
            if (name.rfind("K2T", 0) == 0 || name.rfind("K2U", 0) == 0)
                fs::copy_file(entry.path(), root / "scenarios" / name);
        }
        const k2::Status status = k2::LoadSymbolSet(loaded, root, "K2T", "K2U", {});
        EXPECT_TRUE(status) << status.message;
        return loaded;
    }();
    return set;
}

void ReadStockDefinitions(k2::Scenario& scenario) {
    const k2::Status status = k2::ReadTerrainDefs(scenario, fs::path(K2_STOCK_DIR) / "sysdefs" / "K2Ter.Def");
    ASSERT_TRUE(status) << status.message;
}

} // namespace k2test
