#include "updater/HeldPackage.h"

namespace corvane {
namespace {

class CHeldBytes : public IPackageBytes {
 public:
  explicit CHeldBytes(const CHeldPackage& package) : m_package(package) {}
  bool Read(void* buffer, uint32_t size, uint32_t& got) override {
    if (!m_package.ReadAt(m_offset, buffer, size, got)) return false;
    m_offset += got;
    return true;
  }

 private:
  const CHeldPackage& m_package;
  uint64_t m_offset = 0;
};

}  // namespace

std::unique_ptr<IPackageBytes> CHeldPackage::Bytes() const { return std::make_unique<CHeldBytes>(*this); }

}  // namespace corvane
