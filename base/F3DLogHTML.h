#pragma once
// The program's levelled log: an HTML document on disk and/or the debugger
// output.
//
// One instance per process (Instance()), made on first use without a lock
// and destroyed at exit with the singletons. Not synchronised: messages from
// several threads go through the one file, the thread-number prefix tells
// them apart.
//
// File output: opened on the first message after a path is set (shared for
// reading and writing, truncating). A file that cannot be opened is skipped
// for that message and tried again with the next. The document's head is
// written before the first message; the body and the document are closed
// when the log is destroyed.
#include <cstdarg>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/F3DFile.h"

namespace corvane {

enum ELogLevel : int { kLogCrit = 2, kLogErr = 4, kLogWarn = 8, kLogInfo = 16 };

class CF3DLogHTML {
 public:
  // Option bits.
  enum EOption : uint8_t {
    kToDebugger = 0x01,
    kToFile = 0x02,
    kTimeStamp = 0x10,
    kThreadNumber = 0x20,
  };
  static constexpr const wchar_t* kDefaultFileName = L"V3ILog.htm";
  static constexpr const wchar_t* kDefaultFolder = L"Logs";
  static constexpr const wchar_t* kDefaultTimeFormat = L"%m/%d/%Y %H:%M:%S.%s";
  static const wchar_t* const kDefaultStyleSheet;

  // One HTML element: opening text with sorted attributes, and a closing
  // text when the element has one.
  class CHTMLTag {
   public:
    CHTMLTag(std::wstring name, bool hasClosingTag) : m_name(std::move(name)), m_closing(hasClosingTag) {}
    void SetAttribute(const std::wstring& name, const std::wstring& value) { m_attributes[name] = value; }
    bool HasClosingTag() const { return m_closing; }
    // "<name a="1" b="2">" and a line feed.
    std::wstring OpeningText() const;
    // A line feed and "</name>".
    std::wstring ClosingText() const;

   private:
    std::wstring m_name;
    bool m_closing;
    std::map<std::wstring, std::wstring> m_attributes;
  };

  using DebugOutput = std::function<void(const std::wstring&)>;
  // Opens the log file at a path for writing, emptied; nullptr when it may
  // not or cannot be opened (tried again with the next message).
  using FileOpener = std::function<std::unique_ptr<CF3DFile>(const std::wstring& path)>;

  CF3DLogHTML();
  ~CF3DLogHTML();
  CF3DLogHTML(const CF3DLogHTML&) = delete;
  CF3DLogHTML& operator=(const CF3DLogHTML&) = delete;

  static CF3DLogHTML& Instance();

  void Log(int level, const std::wstring& text);
  // printf-style; use %ls for wide strings (the same on every platform).
  void LogFormat(int level, const wchar_t* format, ...);
  void LogFormatV(int level, const wchar_t* format, va_list arguments);
  // Writes `text` without escaping or prefixes (markup of the caller's own).
  void LogRaw(int level, const std::wstring& text);

  void SetLogPath(const std::wstring& path) { m_path = path; }
  // How the file is opened; an empty function restores the plain open
  // (write, create or truncate, shared).
  void SetFileOpener(FileOpener opener) { m_opener = std::move(opener); }
  const std::wstring& LogPath() const { return m_path; }
  void SetTitle(const std::wstring& title) { m_title = title; }
  void SetStyleSheet(const std::wstring& css) { m_styleSheet = css; }
  void SetMeta(const std::wstring& name, const std::wstring& content) { m_meta[name] = content; }
  void SetTimeFormat(const std::wstring& format) { m_timeFormat = format; }
  void SetLevelMask(int mask) { m_levelMask = mask; }
  int LevelMask() const { return m_levelMask; }

  // The options in force are the top of a stack, so a caller can change them
  // for a while and restore them afterwards.
  uint8_t Options() const { return m_options.back(); }
  void PushOptions(uint8_t options) { m_options.push_back(options); }
  void PopOptions() {
    if (m_options.size() > 1) m_options.pop_back();
  }

  // Where debugger text goes (OutputDebugString on Windows, nowhere natively);
  // an empty function restores the platform's.
  void SetDebugOutput(DebugOutput output) { m_debugOutput = std::move(output); }

  // Closes the document and the file now (what destruction does).
  void Finish();

  // "&", "<", ">", the double quote and line feeds made safe for HTML.
  static std::wstring EscapeHtml(const std::wstring& text);
  static const wchar_t* LevelName(int level);

 private:
  void Write(int level, const std::wstring& text, bool raw);
  bool EnsureFile();
  void WriteHead();
  void WriteToFile(const std::wstring& text);
  std::wstring Prefix() const;
  void SendToDebugger(int level, const std::wstring& text);

  std::wstring m_title = L"Log";
  std::wstring m_styleSheet;
  std::map<std::wstring, std::wstring> m_meta;
  std::wstring m_path;
  std::unique_ptr<CF3DFile> m_file;
  int m_levelMask = kLogCrit | kLogErr | kLogWarn | kLogInfo;
  std::vector<uint8_t> m_options{kToDebugger | kToFile};
  std::wstring m_timeFormat = kDefaultTimeFormat;
  CHTMLTag m_bodyTag{L"Body", true};
  CHTMLTag m_htmlTag{L"HTML", true};
  std::deque<std::wstring> m_pendingTags;
  bool m_headWritten = false;
  DebugOutput m_debugOutput;
  FileOpener m_opener;
};

// Platform parts (F3DLogHTML_win.cpp / _posix.cpp).
void WriteDebuggerOutput(const std::wstring& text);
unsigned long CurrentThreadNumber();

}  // namespace corvane
