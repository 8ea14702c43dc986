#include "render_command.h"

#include "core/battle_file.h"
#include "core/file_lookup.h"
#include "core/terrain_defs.h"
#include "graphics/ansi_text.h"
#include "graphics/map_export.h"
#include "graphics/symbol_set.h"
#include "tool_commands.h"

#include <QGuiApplication>
#include <QImageWriter>

#include <charconv>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>

namespace k2tool {
namespace {

constexpr const char* RenderUsage =
    R"(usage: k2tool render FILE --out PNG [--zoom 0|1|2] [--elevation] [--origin HEX]
                    [--view WxH | --whole] [--hide objectives,reinforcements,overlay,text]

Draws the battle as the map view shows it: a view of W x H pixels (default 1024 x 768) at the
battle's saved origin and zoom level unless --origin and --zoom say otherwise, or with --whole
the entire map from hex 0.
)";

struct RenderOptions {
    std::filesystem::path file;
    std::filesystem::path out;
    std::optional<int32_t> zoom;
    std::optional<int32_t> origin;
    bool elevation = false;
    bool whole = false;
    bool viewGiven = false;
    int32_t viewWidth = 1024;
    int32_t viewHeight = 768;
    k2::DisplaySwitches switches;
};

bool ParseInt(std::string_view text, int32_t& value) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

// Returns an error text, or nothing when the options are complete.
std::optional<std::string> ParseOptions(const std::vector<std::string>& args, RenderOptions& o) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        if (a == "--out") {
            auto v = value();
            if (!v || v->empty()) return "--out needs a file name";
            o.out = *v;
        } else if (a == "--zoom") {
            auto v = value();
            int32_t z = -1;
            if (!v || !ParseInt(*v, z) || z < 0 || z > 2) return "--zoom takes 0, 1 or 2";
            o.zoom = z;
        } else if (a == "--origin") {
            auto v = value();
            int32_t h = -1;
            if (!v || !ParseInt(*v, h) || h < 0) return "--origin takes a hex index";
            o.origin = h;
        } else if (a == "--elevation") {
            o.elevation = true;
        } else if (a == "--whole") {
            o.whole = true;
        } else if (a == "--view") {
            auto v = value();
            const size_t x = v ? v->find('x') : std::string::npos;
            if (x == std::string::npos || !ParseInt(std::string_view(*v).substr(0, x), o.viewWidth) ||
                !ParseInt(std::string_view(*v).substr(x + 1), o.viewHeight) || o.viewWidth < 1 ||
                o.viewHeight < 1 || o.viewWidth > 16384 || o.viewHeight > 16384)
                return "--view takes WxH, for example 1024x768";
            o.viewGiven = true;
        } else if (a == "--hide") {
            auto v = value();
            if (!v) return "--hide needs a list";
            std::stringstream list(*v);
            std::string item;
            while (std::getline(list, item, ',')) {
                if (item == "objectives")
                    o.switches.Objectives = false;
                else if (item == "reinforcements")
                    o.switches.Reinforcements = false;
                else if (item == "overlay")
                    o.switches.Overlay = false;
                else if (item == "text")
                    o.switches.MapText = false;
                else
                    return "--hide knows objectives, reinforcements, overlay and text, not " + item;
            }
        } else if (a.starts_with("--")) {
            return "unknown option " + a;
        } else if (o.file.empty()) {
            o.file = a;
        } else {
            return "unexpected argument " + a;
        }
    }
    if (o.file.empty()) return "no battle file given";
    if (o.out.empty()) return "--out is required";
    if (o.whole && o.viewGiven) return "--view and --whole exclude each other";
    o.switches.Elevation = o.elevation;
    return std::nullopt;
}

void ShowStatus(const k2::Status& s) {
    for (const auto& w : s.warnings)
        std::cerr << "render: " << w << "\n";
    if (!s.ok) std::cerr << "render: " << s.message << "\n";
}

} // namespace

int RenderCommand(const std::filesystem::path& installDir, const std::vector<std::string>& args) {
    for (const auto& a : args)
        if (a == "--help" || a == "-h") {
            std::cout << RenderUsage;
            return ExitOk;
        }
    RenderOptions o;
    if (auto error = ParseOptions(args, o)) {
        std::cerr << "render: " << *error << "\n" << RenderUsage;
        return ExitUsage;
    }

    // Fonts need a GUI application; no display is needed.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "k2tool";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QGuiApplication> app;
    if (!QGuiApplication::instance()) app = std::make_unique<QGuiApplication>(argc, argv);
    k2::InstallFontSubstitutions();

    auto scenario = std::make_unique<k2::Scenario>();
    const std::filesystem::path defs = k2::FindFile(installDir / "sysdefs", "K2Ter.Def");
    ShowStatus(k2::ReadTerrainDefs(*scenario, defs));
    k2::Status st = k2::ReadBattle(*scenario, o.file, defs);
    if (!st) {
        ShowStatus(st);
        return ExitRefused;
    }
    auto symbols = std::make_unique<k2::SymbolSet>();
    st = k2::LoadSymbolSet(*symbols, installDir, scenario->TerrainSetName.View(),
                           scenario->UnitSetName.View(), {});
    if (!st) {
        ShowStatus(st);
        return ExitRefused;
    }
    if (o.origin && *o.origin >= scenario->HexCount) {
        std::cerr << "render: --origin " << *o.origin << " is not a hex of this " << scenario->Cols << " x "
                  << scenario->Rows << " map\n";
        return ExitUsage;
    }
    if (o.zoom) scenario->ZoomLevel = uint8_t(*o.zoom);
    if (scenario->ZoomLevel > 2) scenario->ZoomLevel = 0;

    if (o.origin) scenario->ViewOriginHex = *o.origin;
    // The same pictures the editor's Export Map Image writes.
    const QImage view =
        o.whole ? k2::DrawWholeMap(*scenario, *symbols, o.switches)
                : k2::DrawMapView(*scenario, *symbols, o.switches, QSize(o.viewWidth, o.viewHeight));
    if (view.isNull()) {
        std::cerr << "render: the map could not be drawn\n";
        return ExitRefused;
    }
    QImageWriter writer(QString::fromStdString(o.out.string()), "png");
    if (!writer.write(view)) {
        std::cerr << "render: could not write " << o.out.string() << ": "
                  << writer.errorString().toStdString() << "\n";
        return ExitRefused;
    }
    return ExitOk;
}

} // namespace k2tool
