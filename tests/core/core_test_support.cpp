#include "core_test_support.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace k2test {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::random_device rd;
    for (;;) {
        dir_ = fs::temp_directory_path() / ("k2core-" + std::to_string(rd()));
        if (fs::create_directory(dir_)) break;
    }
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir_, ec);
}

std::vector<std::string> TempDir::Entries() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<uint8_t> ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& file, const std::vector<uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

Bytes& Bytes::Int(int32_t v) {
    if (v < 0) {
        data.push_back(255);
        data.push_back(static_cast<uint8_t>(v + 256));
    } else {
        data.push_back(static_cast<uint8_t>(v / 256));
        data.push_back(static_cast<uint8_t>(v % 256));
    }
    return *this;
}

Bytes& Bytes::Raw(std::initializer_list<int> bytes) {
    for (int b : bytes)
        data.push_back(static_cast<uint8_t>(b));
    return *this;
}

Bytes& Bytes::Text(std::string_view text) {
    for (char c : text)
        data.push_back(static_cast<uint8_t>(c));
    data.push_back(0);
    return *this;
}

Bytes& Bytes::Text25(std::string_view text) {
    std::size_t n = std::min<std::size_t>(text.size(), 25);
    for (std::size_t i = 0; i < n; ++i)
        data.push_back(static_cast<uint8_t>(text[i]));
    if (n < 25) data.push_back(0);
    return *this;
}

std::unique_ptr<k2::Scenario> NewScenario() {
    return std::make_unique<k2::Scenario>();
}

} // namespace k2test
