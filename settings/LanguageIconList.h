#pragma once
// The 16 x 16 images shown beside the language names. On Windows an image
// list (24-bit colour with a mask, magenta transparent); natively a list of
// the bitmap files that could be read, so indices behave the same.
#include <memory>
#include <string>

namespace corvane {

class CLanguageIconList {
 public:
  CLanguageIconList();
  ~CLanguageIconList();
  CLanguageIconList(const CLanguageIconList&) = delete;
  CLanguageIconList& operator=(const CLanguageIconList&) = delete;

  void Clear();
  // Loads a bitmap file and adds it; its index, or -1 when it cannot be read.
  int Add(const std::wstring& bitmapPath);
  int Count() const;
  // The platform's list (an HIMAGELIST on Windows, null natively).
  void* Handle() const;

 private:
  struct SImpl;
  std::unique_ptr<SImpl> m_impl;
};

}  // namespace corvane
