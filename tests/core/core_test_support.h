// Helpers of the core tests: a temporary folder, whole-file access, and a byte builder that
// spells out the file encodings independently of the code under test.
#pragma once

#include "core/scenario.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace k2test {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& Path() const { return dir_; }
    std::filesystem::path operator/(std::string_view name) const { return dir_ / name; }
    // Names of the entries in the folder, sorted.
    std::vector<std::string> Entries() const;

  private:
    std::filesystem::path dir_;
};

std::vector<uint8_t> ReadAll(const std::filesystem::path& file);
void WriteAll(const std::filesystem::path& file, const std::vector<uint8_t>& bytes);

// Bytes of a file, field by field, as the format defines them.
class Bytes {
  public:
    Bytes& Int(int32_t v); // FileInt: two bytes, high first; negatives -256..-1 as 255, v + 256
    Bytes& Raw(std::initializer_list<int> bytes);
    Bytes& Text(std::string_view text);   // the characters and a zero byte
    Bytes& Text25(std::string_view text); // as above, but at most 25 bytes in all
    std::vector<uint8_t> data;
};

std::unique_ptr<k2::Scenario> NewScenario();

} // namespace k2test
