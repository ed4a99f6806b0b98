#include "updater/PackageSignature.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "updater/EcdsaDer.h"
#include "updater/UpdatePublicKey.h"
#include "updater/UpdaterTestFiles.h"

using namespace corvane;
using corvane::updater_test::ReadAll;

namespace {

// Made by the build from the test key pair (tests/updater/make-signature-fixtures.sh).
std::string SigningFixture(const char* name) {
  return ReadAll(std::filesystem::path(CORVANE_BUILD_DIR) / "tests" / "signing" / name);
}

// The package in pieces of at most `piece` bytes, as a file gives them;
// with `failAt` the read that reaches that offset fails.
class CMemoryBytes : public IPackageBytes {
 public:
  explicit CMemoryBytes(std::string bytes, uint32_t piece = 7001, size_t failAt = std::string::npos)
      : m_bytes(std::move(bytes)), m_piece(piece), m_failAt(failAt) {}
  bool Read(void* buffer, uint32_t size, uint32_t& got) override {
    got = static_cast<uint32_t>(std::min<size_t>({size, m_piece, m_bytes.size() - m_offset}));
    if (m_offset + got >= m_failAt) return false;
    std::memcpy(buffer, m_bytes.data() + m_offset, got);
    m_offset += got;
    ++reads;
    return true;
  }
  int reads = 0;

 private:
  std::string m_bytes;
  uint32_t m_piece;
  size_t m_failAt;
  size_t m_offset = 0;
};

SSignatureVerdict Verify(const std::string& package, const std::string& signature, const std::string& key) {
  CMemoryBytes bytes(package);
  return VerifyPackageSignature(bytes, signature, key);
}

// Each refusal must say why; the reasons go to the updater's log.
void ExpectRefused(const SSignatureVerdict& verdict, const wchar_t* because, const char* what) {
  EXPECT_FALSE(verdict.valid) << what;
  EXPECT_NE(verdict.reason.find(because), std::wstring::npos)
      << what << ": " << std::string(verdict.reason.begin(), verdict.reason.end());
}

// The same cases natively (OpenSSL) and under Wine (BCrypt).
TEST(PackageSignature, OnlyTheMakersSignatureOfTheseBytesOpensThePackage) {
  const std::string package = SigningFixture("package.bin");
  const std::string key = SigningFixture("test-key.der");
  const std::string signature = SigningFixture("package.sig");
  ASSERT_EQ(package.size(), 150000u);
  ASSERT_FALSE(signature.empty());

  CMemoryBytes bytes(package);
  const SSignatureVerdict good = VerifyPackageSignature(bytes, signature, key);
  EXPECT_TRUE(good.valid) << std::string(good.reason.begin(), good.reason.end());
  EXPECT_TRUE(good.reason.empty());
  EXPECT_GT(bytes.reads, 20) << "the whole package, piece by piece";
  // The key the test builds were configured with is the one the signatures are made for.
  EXPECT_EQ(std::string(UpdatePublicKeyDer()), key);

  ExpectRefused(Verify(package, "", key), L"no signature", "unsigned");
  ExpectRefused(Verify(package, SigningFixture("other-key.sig"), key), L"does not match", "another key's signature");
  ExpectRefused(Verify(SigningFixture("other-package.bin"), signature, key), L"does not match", "another package");
  std::string changed = package;
  changed[package.size() / 2] ^= 0x01;
  ExpectRefused(Verify(changed, signature, key), L"does not match", "one bit changed");
  ExpectRefused(Verify(package, signature, ""), L"this build has no update key", "a build without a key");
  ExpectRefused(Verify(package, SigningFixture("truncated.sig"), key), L"not a DER ECDSA", "truncated DER");
  for (const std::string& text : {std::string("not base64!"), signature + "\n", " " + signature,
                                  signature.substr(0, signature.size() - 1), signature + "====", std::string("AB==")}) {
    ExpectRefused(Verify(package, text, key), L"not base64", text.c_str());
  }
  // "AA==" is base64 of one zero byte: well-formed text, no signature.
  ExpectRefused(Verify(package, "AA==", key), L"not a DER ECDSA", "one byte");
  std::string otherKey = key;
  otherKey[40] ^= 0x01;  // a point that is not on the curve, or another key
  EXPECT_FALSE(Verify(package, signature, otherKey).valid);
  ExpectRefused(Verify(package, signature, key.substr(0, 60)), L"update key is not an ECDSA P-256 key", "cut key");

  CMemoryBytes failing(package, 7001, 100000);
  ExpectRefused(VerifyPackageSignature(failing, signature, key), L"cannot be read", "a failed read");
}

std::string Bytes(std::initializer_list<int> values) {
  std::string text;
  for (int value : values) text += static_cast<char>(value);
  return text;
}

// A DER signature's integers are as long as their values need: 31 bytes
// for about one r or s in 256, 33 (a leading zero) for half of them.
TEST(PackageSignature, DerIntegersLandRightAlignedAndMalformedOnesAreRefused) {
  const std::string r31(31, '\x11');
  const std::string s33 = std::string(1, '\0') + std::string(32, '\x88');
  const std::string der = Bytes({0x30, 2 + 31 + 2 + 33, 0x02, 31}) + r31 + Bytes({0x02, 33}) + s33;
  P256Pair rs{};
  ASSERT_TRUE(P256SignatureFromDer(der, rs));
  EXPECT_EQ(rs[0], 0x00);
  EXPECT_TRUE(std::all_of(rs.begin() + 1, rs.begin() + 32, [](unsigned char b) { return b == 0x11; }));
  EXPECT_TRUE(std::all_of(rs.begin() + 32, rs.end(), [](unsigned char b) { return b == 0x88; }));

  const std::string r32(32, '\x22');
  const auto signature = [](const std::string& r, const std::string& s) {
    return Bytes({0x30, static_cast<int>(4 + r.size() + s.size()), 0x02, static_cast<int>(r.size())}) + r +
           Bytes({0x02, static_cast<int>(s.size())}) + s;
  };
  ASSERT_TRUE(P256SignatureFromDer(signature(r32, r32), rs));
  for (const std::string& bad : {
           signature(std::string(1, '\x80') + r31, r32),          // negative
           signature(std::string(1, '\0') + r31, r32),            // a leading zero it does not need
           signature(std::string(1, '\0') + s33, r32),            // 34 bytes
           signature(std::string(1, '\0'), r32),                  // zero
           signature(std::string(), r32),                         // empty integer
           signature(r32, r32) + Bytes({0x00}),                   // a byte after the sequence
           signature(r32, r32).substr(0, 40),                     // cut inside an integer
           Bytes({0x30, 0x81, 0x44, 0x02, 0x20}) + r32,           // long length form
           Bytes({0x31, 0x00}), Bytes({0x30}), std::string(),
       }) {
    EXPECT_FALSE(P256SignatureFromDer(bad, rs)) << testing::PrintToString(bad);
  }
  P256Pair xy{};
  const std::string key = SigningFixture("test-key.der");
  ASSERT_TRUE(P256PointFromPublicKeyDer(key, xy));
  EXPECT_TRUE(std::equal(xy.begin(), xy.end(), key.end() - 64,
                         [](unsigned char a, char b) { return a == static_cast<unsigned char>(b); }));
  EXPECT_FALSE(P256PointFromPublicKeyDer(key.substr(0, 90), xy));
  EXPECT_FALSE(P256PointFromPublicKeyDer(key + "x", xy));
}

}  // namespace
