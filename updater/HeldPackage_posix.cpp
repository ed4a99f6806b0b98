#include "updater/HeldPackage.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "base/TextConvert.h"

namespace corvane {

struct CHeldPackage::SImpl {
  int fd = -1;
  ~SImpl() { Close(); }
  void Close() {
    if (fd >= 0) close(fd);
    fd = -1;
  }
};

namespace {

std::string SlashedPath(const std::wstring& path) {
  std::wstring slashed = path;
  std::replace(slashed.begin(), slashed.end(), L'\\', L'/');
  return WideToUtf8(slashed);
}

std::wstring ErrorText(const wchar_t* what, const std::string& path) {
  return std::wstring(what) + L" " + Utf8ToWide(path) + L" (" + Utf8ToWide(std::strerror(errno)) + L")";
}

// Closes a descriptor when the scope ends.
struct SDescriptor {
  int fd;
  ~SDescriptor() {
    if (fd >= 0) close(fd);
  }
};

}  // namespace

CHeldPackage::CHeldPackage() : m_impl(std::make_unique<SImpl>()) {}
CHeldPackage::~CHeldPackage() = default;

bool CHeldPackage::IsHeld() const { return m_impl->fd >= 0; }

void CHeldPackage::Release() {
  m_impl->Close();
  m_size = 0;
}

bool CHeldPackage::Hold(const std::wstring& source, const std::wstring& folder, std::wstring& reason) {
  Release();
  const std::string from = SlashedPath(source);
  const SDescriptor input{open(from.c_str(), O_RDONLY | O_CLOEXEC)};
  if (input.fd < 0) {
    reason = ErrorText(L"cannot read the download", from);
    return false;
  }
  // A fresh name, removed at once: the copy lives as long as the descriptor.
  std::string name = SlashedPath(folder) + "package-XXXXXX";
  SDescriptor copy{mkostemp(name.data(), O_CLOEXEC)};
  if (copy.fd < 0) {
    reason = ErrorText(L"cannot create the package copy", name);
    return false;
  }
  unlink(name.c_str());
  std::vector<char> piece(65536);
  uint64_t size = 0;
  for (;;) {
    const ssize_t got = read(input.fd, piece.data(), piece.size());
    if (got < 0) {
      reason = ErrorText(L"cannot read the download", from);
      return false;
    }
    if (got == 0) break;
    if (write(copy.fd, piece.data(), static_cast<size_t>(got)) != got) {
      reason = ErrorText(L"cannot write the package copy", name);
      return false;
    }
    size += static_cast<uint64_t>(got);
  }
  m_impl->fd = copy.fd;
  copy.fd = -1;
  m_size = size;
  return true;
}

bool CHeldPackage::ReadAt(uint64_t offset, void* buffer, uint32_t size, uint32_t& got) const {
  got = 0;
  if (!IsHeld()) return false;
  const ssize_t read = pread(m_impl->fd, buffer, size, static_cast<off_t>(offset));
  if (read < 0) return false;
  got = static_cast<uint32_t>(read);
  return true;
}

}  // namespace corvane
