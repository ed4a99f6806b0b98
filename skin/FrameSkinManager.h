#pragma once
// The process's skin manager (Windows only: include from _win.cpp files):
// the skins installed under skins\ beside the program, the one selected by
// the "Config" / "SkinName" setting, its definition for each window kind,
// and the windows that asked to wear it. UI thread only.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/Singleton.h"
#include "settings/PrefValues.h"
#include "skin/FrameSkin.h"
#include "skin/GdiObject.h"
#include "skin/SkinSelection.h"

namespace corvane {

class CFrameSkinManager : public TSingleton<CFrameSkinManager, kPriorityFrameSkinManager> {
 public:
  struct SOptions {
    std::wstring programFolder;  // ends in a backslash; skins\ lies below it
    CPreference* store = nullptr;  // where "SkinName" lives; none: not read or written
  };

  // The program's manager: the program folder and, with the application
  // object, its settings. A manager watches the windows of the thread that
  // makes it (a window hook): a hooked window is forgotten when it is
  // destroyed, even where its subclass never sees its last message. Several
  // managers may live on one thread (tests make their own); each is told.
  CFrameSkinManager();
  explicit CFrameSkinManager(const SOptions& options);
  ~CFrameSkinManager();
  CFrameSkinManager(const CFrameSkinManager&) = delete;
  CFrameSkinManager& operator=(const CFrameSkinManager&) = delete;

  const std::vector<std::wstring>& InstalledSkins() const { return m_selection.Installed(); }
  // Empty while no skin is in use.
  const std::wstring& CurrentSkin() const { return m_selection.Current(); }
  bool IsSkinActive() const { return !CurrentSkin().empty(); }

  // Selects a skin (empty or not installed: none). Without `force` the skin
  // in use is not read again. Hooked windows follow at once.
  void LoadSkin(std::wstring_view name, bool force) { LoadSkin(name, nullptr, force); }
  // The same, and every band of `rebar` (may be null) gets the skin's menu-bar
  // watermark as its background; the current skin again without `force`
  // only puts the watermark on `rebar`. The manager owns the bitmap: before
  // a switch frees it, it takes it off the bands it was put on.
  void LoadSkin(std::wstring_view name, HWND rebar, bool force);

  // What a window calls while it initialises to wear the current skin: the
  // first call hooks its non-client messages, later ones re-apply the
  // border style and redraw the frame. False when the window cannot be hooked.
  bool SkinWindow(HWND window);
  // Whether the window is hooked and a skin is in use.
  bool IsSkinned(HWND window) const;

  // The current definition for a kind; null while no skin decorates it.
  const CFrameSkin* SkinFor(EWindowKind kind) const;

  // A window of this thread is being destroyed (told by the window hook, and
  // by the frame hook of a skinned window): the manager forgets it.
  void OnWindowDestroyed(HWND window);

 private:
  struct SThreadHook;
  static LRESULT CALLBACK ThreadHookProc(int code, WPARAM wParam, LPARAM lParam);
  void WatchThisThread();
  void StopWatching();

  void ReadSkin();
  bool LoadBitmap(const SSkinImageSource& source);
  HBITMAP BitmapOf(const SSkinImageSource& source) const;
  void ReapplyHooks();
  void LoadWatermark(const std::wstring& path);
  void ApplyWatermark(HWND rebar);
  void TakeWatermarkOff();

  std::wstring m_programFolder;
  CPreference* m_store;
  PrefString m_skinName{L"Config", L"SkinName", L""};
  CSkinSelection m_selection;
  // Bitmaps by file path (or "#" and resource number), shared by the kinds.
  std::map<std::wstring, std::unique_ptr<TGdiObject<HBITMAP>>> m_bitmaps;
  std::unique_ptr<CFrameSkin> m_mainWnd;
  std::unique_ptr<CFrameSkin> m_dialog;
  std::map<HWND, std::unique_ptr<CFrameSkin::CParentWndHook>> m_hooks;
  // The menu-bar watermark and the rebars whose bands show it.
  TGdiObject<HBITMAP> m_watermark;
  std::vector<HWND> m_watermarkedRebars;
  // The window hook of the thread that made this manager, shared with the
  // other managers of that thread.
  SThreadHook* m_threadHook = nullptr;
};

// The names of the folders under `programFolder`\skins\ holding a skin.xml.
std::vector<std::wstring> EnumerateSkins(const std::wstring& programFolder);

// For the dialog shadows: whether the process's manager has a skin in use.
std::function<bool()> FrameSkinActiveQuery();

}  // namespace corvane
