#include "app/DialogFilters.h"

#include "settings/MultiLanguage.h"

namespace corvane {

CDialogFilters::CDialogFilters(const std::vector<SFileFilter>& filters) : m_filters(filters) {
  for (SFileFilter& filter : m_filters) filter.label = Translate(filter.label);
}

std::vector<COMDLG_FILTERSPEC> CDialogFilters::Specs() const {
  std::vector<COMDLG_FILTERSPEC> specs;
  for (const SFileFilter& filter : m_filters) specs.push_back({filter.label.c_str(), filter.pattern.c_str()});
  return specs;
}

std::wstring CDialogFilters::ClassicText() const {
  std::wstring text;
  for (const SFileFilter& filter : m_filters) {
    text += filter.label;
    text.push_back(L'\0');
    text += filter.pattern;
    text.push_back(L'\0');
  }
  return text;
}

}  // namespace corvane
