#include "app/OutputPathDialog.h"

#include <commdlg.h>
#include <shobjidl.h>

#include <algorithm>
#include <vector>

#include "app/SaveFilters.h"
#include "settings/MultiLanguage.h"

namespace corvane {
namespace {

struct STranslatedFilters {
  std::vector<std::wstring> labels;
  std::vector<std::wstring> patterns;
};

STranslatedFilters TranslatedFilters(const std::wstring& firstFile) {
  STranslatedFilters filters;
  for (const SFileFilter& filter : OutputFilters(firstFile)) {
    filters.labels.push_back(Translate(filter.label));
    filters.patterns.push_back(filter.pattern);
  }
  return filters;
}

// Releases a COM interface when it goes.
template <class T>
struct TComPtr {
  T* p = nullptr;
  ~TComPtr() {
    if (p) p->Release();
  }
};

// Item-based dialog. Returns S_OK with a path, HRESULT_FROM_WIN32(ERROR_CANCELLED)
// when the user cancels, another failure when the dialog is not available.
HRESULT AskWithItemDialog(HWND owner, const std::wstring& firstFile, std::wstring& path) {
  TComPtr<IFileSaveDialog> dialog;
  HRESULT hr = CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileSaveDialog,
                                reinterpret_cast<void**>(&dialog.p));
  if (FAILED(hr)) return hr;
  const STranslatedFilters filters = TranslatedFilters(firstFile);
  std::vector<COMDLG_FILTERSPEC> specs;
  for (size_t i = 0; i < filters.labels.size(); ++i) {
    specs.push_back({filters.labels[i].c_str(), filters.patterns[i].c_str()});
  }
  dialog.p->SetFileTypes(static_cast<UINT>(specs.size()), specs.data());
  dialog.p->SetFileTypeIndex(1);
  dialog.p->SetDefaultExtension(kDefaultOutputExtension);
  dialog.p->SetFileName(ProposedOutputName(firstFile).c_str());
  FILEOPENDIALOGOPTIONS options = 0;
  dialog.p->GetOptions(&options);
  dialog.p->SetOptions(options | FOS_OVERWRITEPROMPT | FOS_PATHMUSTEXIST | FOS_FORCEFILESYSTEM);
  hr = dialog.p->Show(owner);
  if (FAILED(hr)) return hr;
  TComPtr<IShellItem> item;
  hr = dialog.p->GetResult(&item.p);
  if (FAILED(hr)) return hr;
  PWSTR chosen = nullptr;
  hr = item.p->GetDisplayName(SIGDN_FILESYSPATH, &chosen);
  if (FAILED(hr)) return hr;
  path = chosen;
  CoTaskMemFree(chosen);
  return S_OK;
}

bool AskWithClassicDialog(HWND owner, const std::wstring& firstFile, std::wstring& path) {
  const STranslatedFilters filters = TranslatedFilters(firstFile);
  std::wstring filterText;  // label\0pattern\0 ... \0
  for (size_t i = 0; i < filters.labels.size(); ++i) {
    filterText += filters.labels[i];
    filterText.push_back(L'\0');
    filterText += filters.patterns[i];
    filterText.push_back(L'\0');
  }
  std::vector<wchar_t> buffer(MAX_PATH * 4, L'\0');
  const std::wstring proposed = ProposedOutputName(firstFile);
  proposed.copy(buffer.data(), std::min(proposed.size(), buffer.size() - 1));
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filterText.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrDefExt = kDefaultOutputExtension;
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
  if (!GetSaveFileNameW(&ofn)) return false;
  path = buffer.data();
  return true;
}

}  // namespace

bool AskOutputPath(HWND owner, const std::wstring& firstFile, std::wstring& path) {
  const HRESULT hr = AskWithItemDialog(owner, firstFile, path);
  if (SUCCEEDED(hr)) return !path.empty();
  if (hr == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return false;
  return AskWithClassicDialog(owner, firstFile, path);
}

}  // namespace corvane
