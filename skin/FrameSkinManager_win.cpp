#include "skin/FrameSkinManager.h"

#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "base/AppCommonPath.h"
#include "base/PerThread.h"
#include "base/UniqueHandle.h"
#include "settings/Preference.h"
#include "settings/RegistryRoot.h"

namespace corvane {
namespace {

std::string ReadWholeFile(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  if (!in) return {};
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::wstring BitmapKey(const SSkinImageSource& source) {
  return source.path.empty() ? L"#" + std::to_wstring(source.resource) : source.path;
}

UINT BandCount(HWND rebar) { return static_cast<UINT>(SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0)); }

HBITMAP BandBackground(HWND rebar, UINT band) {
  REBARBANDINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = RBBIM_BACKGROUND;
  return SendMessageW(rebar, RB_GETBANDINFOW, band, reinterpret_cast<LPARAM>(&info)) ? info.hbmBack : nullptr;
}

// The rebar draws the bitmap; it stays ours.
void SetBandBackground(HWND rebar, UINT band, HBITMAP bitmap) {
  REBARBANDINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = RBBIM_BACKGROUND;
  info.hbmBack = bitmap;
  SendMessageW(rebar, RB_SETBANDINFOW, band, reinterpret_cast<LPARAM>(&info));
}

}  // namespace

// One window hook per thread, whatever the number of managers on it: each
// would otherwise be called for every hook installed and tell every manager
// as many times.
struct CFrameSkinManager::SThreadHook {
  CWindowsHook hook;
  std::vector<CFrameSkinManager*> managers;
};

LRESULT CALLBACK CFrameSkinManager::ThreadHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_DESTROYWND) {
    try {
      const std::vector<CFrameSkinManager*>& managers = PerThreadInstance<SThreadHook>().managers;
      // By index: a manager may go while another one is told.
      for (size_t i = 0; i < managers.size(); ++i) managers[i]->OnWindowDestroyed(reinterpret_cast<HWND>(wParam));
    } catch (...) {
      // Nothing may leave a hook procedure; the window goes anyway.
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CFrameSkinManager::WatchThisThread() {
  m_threadHook = &PerThreadInstance<SThreadHook>();
  if (!m_threadHook->hook) {
    m_threadHook->hook.Reset(SetWindowsHookExW(WH_CBT, &CFrameSkinManager::ThreadHookProc, /*module=*/nullptr,
                                               GetCurrentThreadId()));
  }
  m_threadHook->managers.push_back(this);
}

void CFrameSkinManager::StopWatching() {
  std::vector<CFrameSkinManager*>& managers = m_threadHook->managers;
  managers.erase(std::remove(managers.begin(), managers.end(), this), managers.end());
  if (managers.empty()) m_threadHook->hook.Reset();
}

std::vector<std::wstring> EnumerateSkins(const std::wstring& programFolder) {
  std::vector<std::wstring> names;
  std::error_code error;
  for (std::filesystem::directory_iterator entry(std::filesystem::path(programFolder) / L"skins", error), end;
       !error && entry != end; entry.increment(error)) {
    std::error_code missing;
    if (std::filesystem::is_regular_file(entry->path() / L"skin.xml", missing)) {
      names.push_back(entry->path().filename().wstring());
    }
  }
  return names;
}

CFrameSkinManager::CFrameSkinManager()
    : CFrameSkinManager(SOptions{CAppCommonPath::Instance().ProgramFolder(),
                                 // Without the application object (tools, tests) the setting is left alone.
                                 RegistryRoot().applicationPresent ? GetPreference() : nullptr}) {}

CFrameSkinManager::CFrameSkinManager(const SOptions& options)
    : m_programFolder(options.programFolder), m_store(options.store), m_selection(EnumerateSkins(m_programFolder)) {
  WatchThisThread();
  m_skinName.Load(m_store);
  LoadSkin(m_skinName.value, /*force=*/true);
}

CFrameSkinManager::~CFrameSkinManager() {
  StopWatching();
  // Hooks go first: they give the windows their border back while the
  // definitions they look up still exist.
  m_hooks.clear();
  TakeWatermarkOff();
  if (m_store) m_skinName.Save(m_store);
}

void CFrameSkinManager::LoadSkin(std::wstring_view name, HWND rebar, bool force) {
  const ESkinLoadStep step = m_selection.Load(name, force);
  if (step != ESkinLoadStep::kReapplyWatermark) {
    TakeWatermarkOff();
    m_watermark.Reset();
    m_mainWnd.reset();
    m_dialog.reset();
    m_bitmaps.clear();
    if (step == ESkinLoadStep::kReadSkin) ReadSkin();
    m_skinName.value = CurrentSkin();
    ReapplyHooks();
  }
  ApplyWatermark(rebar);
}

void CFrameSkinManager::ReadSkin() {
  const std::wstring folder = SkinFolder(m_programFolder, CurrentSkin());
  SSkinReadOptions options;
  options.systemFrameWidth = GetSystemMetrics(SM_CXSIZEFRAME);
  options.imageLoads = [this](const SSkinImageSource& source) { return LoadBitmap(source); };
  const SSkinDocument document = ReadSkinXml(ReadWholeFile(folder + L"skin.xml"), options);
  if (!document.loaded) {
    m_selection.DocumentFailed();
    m_bitmaps.clear();
    return;
  }
  m_mainWnd = std::make_unique<CFrameSkin>(document.mainWnd, BitmapOf(document.mainWnd.bitmap.value_or(SSkinImageSource{})));
  m_dialog = std::make_unique<CFrameSkin>(document.dialog, BitmapOf(document.dialog.bitmap.value_or(SSkinImageSource{})));
  LoadWatermark(document.rebarWatermark);
}

void CFrameSkinManager::LoadWatermark(const std::wstring& path) {
  if (path.empty()) return;
  // A watermark that cannot be loaded leaves the bands as they are.
  m_watermark.Reset(static_cast<HBITMAP>(LoadImageW(nullptr, (SkinFolder(m_programFolder, CurrentSkin()) + path).c_str(),
                                                    IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
}

void CFrameSkinManager::ApplyWatermark(HWND rebar) {
  if (!rebar || !m_watermark || !IsWindow(rebar)) return;
  for (UINT band = 0, count = BandCount(rebar); band < count; ++band) SetBandBackground(rebar, band, m_watermark.Get());
  if (std::find(m_watermarkedRebars.begin(), m_watermarkedRebars.end(), rebar) == m_watermarkedRebars.end()) {
    m_watermarkedRebars.push_back(rebar);
  }
}

void CFrameSkinManager::TakeWatermarkOff() {
  for (HWND rebar : m_watermarkedRebars) {
    if (!IsWindow(rebar)) continue;
    // Bands given another background since keep it.
    for (UINT band = 0, count = BandCount(rebar); band < count; ++band) {
      if (m_watermark && BandBackground(rebar, band) == m_watermark.Get()) SetBandBackground(rebar, band, nullptr);
    }
  }
  m_watermarkedRebars.clear();
}

bool CFrameSkinManager::LoadBitmap(const SSkinImageSource& source) {
  const std::wstring key = BitmapKey(source);
  if (m_bitmaps.count(key)) return true;
  HANDLE image = source.path.empty()
      ? LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(source.resource), IMAGE_BITMAP, 0, 0,
                   LR_CREATEDIBSECTION)
      : LoadImageW(nullptr, (SkinFolder(m_programFolder, CurrentSkin()) + source.path).c_str(), IMAGE_BITMAP, 0,
                   0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
  if (!image) return false;
  m_bitmaps.emplace(key, std::make_unique<TGdiObject<HBITMAP>>(static_cast<HBITMAP>(image)));
  return true;
}

HBITMAP CFrameSkinManager::BitmapOf(const SSkinImageSource& source) const {
  const auto found = m_bitmaps.find(BitmapKey(source));
  return found == m_bitmaps.end() ? nullptr : found->second->Get();
}

const CFrameSkin* CFrameSkinManager::SkinFor(EWindowKind kind) const {
  if (!IsSkinActive()) return nullptr;
  const CFrameSkin* skin = kind == EWindowKind::kDialog ? m_dialog.get() : m_mainWnd.get();
  return skin && skin->Decorates() ? skin : nullptr;
}

bool CFrameSkinManager::SkinWindow(HWND window) {
  if (!IsWindow(window)) return false;
  const auto found = m_hooks.find(window);
  if (found != m_hooks.end()) {
    found->second->Reapply();
    return true;
  }
  wchar_t className[64] = {};
  GetClassNameW(window, className, static_cast<int>(std::size(className)));
  auto hook = std::make_unique<CFrameSkin::CParentWndHook>(*this, window, WindowKindOfClass(className));
  if (!hook->Installed()) return false;
  m_hooks.emplace(window, std::move(hook)).first->second->Reapply();
  return true;
}

bool CFrameSkinManager::IsSkinned(HWND window) const { return IsSkinActive() && m_hooks.count(window) != 0; }

void CFrameSkinManager::OnWindowDestroyed(HWND window) {
  const auto found = m_hooks.find(window);
  if (found != m_hooks.end()) {
    found->second->LetGo();
    m_hooks.erase(found);
  }
  m_watermarkedRebars.erase(std::remove(m_watermarkedRebars.begin(), m_watermarkedRebars.end(), window),
                            m_watermarkedRebars.end());
}

void CFrameSkinManager::ReapplyHooks() {
  for (auto& [window, hook] : m_hooks) hook->Reapply();
}

std::function<bool()> FrameSkinActiveQuery() {
  return [] { return CFrameSkinManager::Instance().IsSkinActive(); };
}

}  // namespace corvane
