#include "updater/Sha256.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

using namespace corvane;
namespace fs = std::filesystem;

namespace {

class FileSha256Test : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    path = fs::temp_directory_path() / ("corvane-sha-" + std::to_string(random()));
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove(path, ignored);
  }
  std::string HashOf(const std::string& content) {
    {
      std::ofstream out(path, std::ios::binary);
      out << content;
    }
    std::string hex;
    EXPECT_TRUE(FileSha256(path.wstring(), hex));
    return hex;
  }
  fs::path path;
};

// Published test vectors (FIPS 180-2), the long one spanning many reads.
TEST_F(FileSha256Test, MatchesThePublishedVectors) {
  EXPECT_EQ(HashOf(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(HashOf("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(HashOf(std::string(1000000, 'a')), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST_F(FileSha256Test, MissingFileFails) {
  std::string hex = "unchanged";
  EXPECT_FALSE(FileSha256((path / "missing").wstring(), hex));
  EXPECT_EQ(hex, "unchanged");
}

}  // namespace
