#include <fstream>
#include <vector>

#include "base/TextConvert.h"
#include "settings/LanguageIconList.h"

namespace corvane {

struct CLanguageIconList::SImpl {
  std::vector<std::wstring> images;
};

CLanguageIconList::CLanguageIconList() : m_impl(std::make_unique<SImpl>()) {}
CLanguageIconList::~CLanguageIconList() = default;

void CLanguageIconList::Clear() { m_impl->images.clear(); }

int CLanguageIconList::Add(const std::wstring& bitmapPath) {
  // Accept what Windows would load: a file that starts as a bitmap does.
  std::ifstream in(WideToUtf8(bitmapPath), std::ios::binary);
  char magic[2] = {};
  if (!in.read(magic, 2) || magic[0] != 'B' || magic[1] != 'M') return -1;
  m_impl->images.push_back(bitmapPath);
  return static_cast<int>(m_impl->images.size()) - 1;
}

int CLanguageIconList::Count() const { return static_cast<int>(m_impl->images.size()); }

void* CLanguageIconList::Handle() const { return nullptr; }

}  // namespace corvane
