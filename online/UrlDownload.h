#pragma once
// Downloads one address to a file over WinINet, in a way another thread can
// stop at once (Windows only).
//
// Every network step is asynchronous and waited for here, together with the
// downloader's cancel event, at most kDownloadStallMs per step: Cancel, from
// any thread, makes the running Download return false within milliseconds
// and every later one fail at once, so the thread that downloads ends by
// itself. A blocking download that another thread has to wait for (or kill)
// cannot freeze the program's exit that way.
#include <memory>
#include <string>

namespace corvane {

// A server that sends nothing for this long has failed the download.
constexpr unsigned kDownloadStallMs = 30000;

class CUrlDownloader {
 public:
  CUrlDownloader();
  ~CUrlDownloader();
  CUrlDownloader(const CUrlDownloader&) = delete;
  CUrlDownloader& operator=(const CUrlDownloader&) = delete;

  // True when the server answered 200 and the whole body (as long as its
  // "Content-Length" says, when it says) is now the file `path`. The body
  // goes to "<path>.part" first and replaces `path` only when complete, so
  // a reader never sees half a file; on failure `path` is as it was and no
  // ".part" file is left.
  bool Download(const std::wstring& url, const std::wstring& path);
  // Ends the running download and refuses every later one. Thread-safe.
  void Cancel();

  struct SImpl;

 private:
  std::unique_ptr<SImpl> m_impl;
};

// Deletes a file; a missing file or a failure is not an error here.
void DeleteFileQuietly(const std::wstring& path);

}  // namespace corvane
