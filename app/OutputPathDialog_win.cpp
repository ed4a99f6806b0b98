#include "app/OutputPathDialog.h"

#include <commdlg.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <algorithm>
#include <vector>

#include "app/DialogFilters.h"
#include "app/SaveFilters.h"
#include "base/UniqueHandle.h"

namespace corvane {
namespace {

using Microsoft::WRL::ComPtr;

// Room for the longest path Windows has (32767 characters in the "\\?\"
// form): a user who keeps clips in deep folders gets an output beside them.
constexpr size_t kLongestPathChars = 32768;

// Item-based dialog. Returns S_OK with a path, HRESULT_FROM_WIN32(ERROR_CANCELLED)
// when the user cancels, another failure when the dialog is not available.
HRESULT AskWithItemDialog(HWND owner, const std::wstring& firstFile, std::wstring& path) {
  ComPtr<IFileSaveDialog> dialog;
  HRESULT hr = CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog));
  if (FAILED(hr)) return hr;
  const CDialogFilters filters(OutputFilters(firstFile));
  const std::vector<COMDLG_FILTERSPEC> specs = filters.Specs();
  dialog->SetFileTypes(static_cast<UINT>(specs.size()), specs.data());
  dialog->SetFileTypeIndex(1);
  dialog->SetDefaultExtension(kDefaultOutputExtension);
  dialog->SetFileName(ProposedOutputName(firstFile).c_str());
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  dialog->SetOptions(options | FOS_OVERWRITEPROMPT | FOS_PATHMUSTEXIST | FOS_FORCEFILESYSTEM);
  hr = dialog->Show(owner);
  if (FAILED(hr)) return hr;
  ComPtr<IShellItem> item;
  hr = dialog->GetResult(&item);
  if (FAILED(hr)) return hr;
  TCoTaskMem<wchar_t> chosen;
  hr = item->GetDisplayName(SIGDN_FILESYSPATH, chosen.Put());
  if (FAILED(hr)) return hr;
  path = chosen.Get();
  return S_OK;
}

bool AskWithClassicDialog(HWND owner, const std::wstring& firstFile, std::wstring& path) {
  const std::wstring filterText = CDialogFilters(OutputFilters(firstFile)).ClassicText();
  std::vector<wchar_t> buffer(kLongestPathChars, L'\0');
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
