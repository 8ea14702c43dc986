#include "graphics/reference_sidecar.h"

#include "core/file_io.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <span>

namespace k2 {

namespace {

namespace fs = std::filesystem;

// Far beyond any picture or map, near enough that the arithmetic stays exact.
constexpr double MaxCoordinate = 1e7;
constexpr qsizetype MaxPathLength = 4096;

fs::path BattleFolder(const fs::path& battleFile) {
    std::error_code error;
    const fs::path absolute = fs::absolute(battleFile, error);
    return (error ? battleFile : absolute).lexically_normal().parent_path();
}

bool Coordinate(const QJsonValue& value, double& out) {
    if (!value.isDouble()) return false;
    out = value.toDouble();
    return std::isfinite(out) && std::abs(out) <= MaxCoordinate;
}

// The reason the settings cannot be used, or "" when `out` holds them.
std::string Parse(const QJsonObject& root, const fs::path& battleFile, int32_t hexCount,
                  ReferenceSettings& out) {
    const QJsonValue picture = root.value("picture");
    if (!picture.isString() || picture.toString().isEmpty()) return "it names no picture";
    const QString path = picture.toString();
    if (path.size() > MaxPathLength || path.contains(QChar(0)))
        return "the picture's name is not a usable path";
    fs::path file = fs::path(path.toStdU16String());
    if (file.is_relative()) file = BattleFolder(battleFile) / file;
    out.Picture = file.lexically_normal();

    const QJsonValue opacity = root.value("opacity");
    if (!opacity.isUndefined()) {
        const double value = opacity.toDouble(-1);
        if (!opacity.isDouble() || value < 0 || value > 100 || value != std::floor(value))
            return "the opacity is not a whole percentage from 0 to 100";
        out.Opacity = int32_t(value);
    }
    const QJsonValue shown = root.value("shown");
    if (!shown.isUndefined()) {
        if (!shown.isBool()) return "\"shown\" is neither true nor false";
        out.Shown = shown.toBool();
    }
    const QJsonValue nudge = root.value("nudge");
    if (!nudge.isUndefined()) {
        const QJsonArray pair = nudge.toArray();
        double x = 0, y = 0;
        if (!nudge.isArray() || pair.size() != 2 || !Coordinate(pair[0], x) || !Coordinate(pair[1], y))
            return "the nudge is not two numbers";
        out.Nudge = {x, y};
    }
    const QJsonValue anchors = root.value("anchors");
    if (!anchors.isUndefined()) {
        const QJsonArray list = anchors.toArray();
        if (!anchors.isArray() || (list.size() != 0 && list.size() != 2))
            return "it holds other than two anchors";
        for (const QJsonValue& entry : list) {
            const QJsonObject anchor = entry.toObject();
            double x = 0, y = 0;
            if (!entry.isObject() || !Coordinate(anchor.value("pictureX"), x) ||
                !Coordinate(anchor.value("pictureY"), y))
                return "an anchor's point of the picture is not two numbers";
            const double hex = anchor.value("hex").toDouble(-1);
            if (!anchor.value("hex").isDouble() || hex < 0 || hex >= hexCount || hex != std::floor(hex))
                return "an anchor names a hex that is not on this battle's map";
            out.Anchors.push_back({QPointF(x, y), int32_t(hex)});
        }
        if (out.Anchors.size() == 2 &&
            (out.Anchors[0].Hex == out.Anchors[1].Hex || out.Anchors[0].Picture == out.Anchors[1].Picture))
            return "its two anchors coincide";
    }
    return {};
}

} // namespace

fs::path ReferenceSidecarPath(const fs::path& battleFile) {
    fs::path sidecar = battleFile;
    sidecar += ".reference.json";
    return sidecar;
}

ReferenceSidecarRead ParseReferenceSidecar(const QByteArray& json, const fs::path& battleFile,
                                           int32_t hexCount) {
    ReferenceSidecarRead read;
    read.Found = true;
    const std::string name = ReferenceSidecarPath(battleFile).filename().string();
    auto refuse = [&](const std::string& why) {
        read.Outcome = Status::Fail("The reference image settings " + name + " were not used: " + why + ".");
        read.Settings = {};
        return read;
    };
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return refuse("it is not a JSON object");
    const std::string why = Parse(document.object(), battleFile, hexCount, read.Settings);
    if (!why.empty()) return refuse(why);
    return read;
}

ReferenceSidecarRead ReadReferenceSidecar(const fs::path& battleFile, int32_t hexCount) {
    const fs::path sidecar = ReferenceSidecarPath(battleFile);
    std::error_code error;
    if (!fs::exists(sidecar, error)) return {};
    std::vector<uint8_t> bytes;
    switch (ReadFileBytes(sidecar, MaxReferenceSidecarBytes, bytes)) {
    case ReadFileResult::Ok:
        return ParseReferenceSidecar(
            QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())), battleFile,
            hexCount);
    case ReadFileResult::TooLarge: {
        ReferenceSidecarRead read;
        read.Found = true;
        read.Outcome = Status::Fail("The reference image settings " + sidecar.filename().string() +
                                    " were not used: the file is larger than " +
                                    std::to_string(MaxReferenceSidecarBytes / 1024) + " KB.");
        return read;
    }
    default: {
        ReferenceSidecarRead read;
        read.Found = true;
        read.Outcome = Status::Fail("The reference image settings " + sidecar.filename().string() +
                                    " could not be read.");
        return read;
    }
    }
}

QByteArray ReferenceSidecarJson(const ReferenceSettings& settings, const fs::path& battleFile) {
    const fs::path folder = BattleFolder(battleFile);
    const fs::path picture = settings.Picture.lexically_normal();
    fs::path stored = picture.lexically_relative(folder);
    if (stored.empty() || picture.is_relative()) stored = picture;
    QJsonObject root;
    root["picture"] = QString::fromStdU16String(stored.generic_u16string());
    root["opacity"] = settings.Opacity;
    root["shown"] = settings.Shown;
    QJsonArray anchors;
    for (const ReferenceAnchor& anchor : settings.Anchors)
        anchors.append(QJsonObject{
            {"pictureX", anchor.Picture.x()}, {"pictureY", anchor.Picture.y()}, {"hex", anchor.Hex}});
    root["anchors"] = anchors;
    root["nudge"] = QJsonArray{settings.Nudge.x(), settings.Nudge.y()};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

Status WriteReferenceSidecar(const ReferenceSettings& settings, const fs::path& battleFile) {
    const fs::path sidecar = ReferenceSidecarPath(battleFile);
    if (settings.Picture.empty()) {
        std::error_code error;
        if (fs::remove(sidecar, error) || !error) return Status::Ok();
        return Status::Fail("The old reference image settings " + sidecar.filename().string() +
                            " could not be removed: " + error.message() + ".");
    }
    const QByteArray json = ReferenceSidecarJson(settings, battleFile);
    const WriteFileOutcome written = WriteFileAtomically(
        sidecar, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(json.constData()),
                                          std::size_t(json.size())));
    if (written.result != WriteFileResult::Ok)
        return Status::Fail("The reference image settings could not be written to " +
                            sidecar.filename().string() + ": " + written.detail + ".");
    return Status::Ok();
}

} // namespace k2
