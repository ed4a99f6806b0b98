#include "base/F3DLogHTML.h"

#include <cwchar>

#include "base/F3DDateTime.h"
#include "base/Singleton.h"
#include "base/TextConvert.h"

namespace corvane {

const wchar_t* const CF3DLogHTML::kDefaultStyleSheet =
    L"img{border:0}\n"
    L"body{font-family:Verdana,Arial,sans-serif;font-size:10pt;color:#000033;background-color:#ffffff}\n";

std::wstring CF3DLogHTML::CHTMLTag::OpeningText() const {
  // Values are quoted (and their quotes escaped) so that a value with blanks
  // stays one attribute.
  std::wstring text = L"<" + m_name;
  for (const auto& [name, value] : m_attributes) text += L" " + name + L"=\"" + EscapeHtml(value) + L"\"";
  return text + L">\n";
}

std::wstring CF3DLogHTML::CHTMLTag::ClosingText() const { return L"\n</" + m_name + L">"; }

CF3DLogHTML::CF3DLogHTML() : m_styleSheet(kDefaultStyleSheet) {}

CF3DLogHTML::~CF3DLogHTML() { Finish(); }

CF3DLogHTML& CF3DLogHTML::Instance() { return TSingleton<CF3DLogHTML, kPriorityLogHTML>::Instance(); }

const wchar_t* CF3DLogHTML::LevelName(int level) {
  switch (level) {
    case kLogCrit: return L"CRIT";
    case kLogErr: return L"ERR";
    case kLogWarn: return L"WARN";
    case kLogInfo: return L"INFO";
    default: return L"";
  }
}

std::wstring CF3DLogHTML::EscapeHtml(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    switch (c) {
      case L'&': out += L"&amp;"; break;
      case L'>': out += L"&gt;"; break;
      case L'<': out += L"&lt;"; break;
      case L'"': out += L"&quot;"; break;
      case L'\n': out += L"<br>\n"; break;
      default: out += c;
    }
  }
  return out;
}

void CF3DLogHTML::Log(int level, const std::wstring& text) { Write(level, text, /*raw=*/false); }

void CF3DLogHTML::LogRaw(int level, const std::wstring& text) { Write(level, text, /*raw=*/true); }

void CF3DLogHTML::LogFormat(int level, const wchar_t* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  LogFormatV(level, format, arguments);
  va_end(arguments);
}

void CF3DLogHTML::LogFormatV(int level, const wchar_t* format, va_list arguments) {
  if (!(level & m_levelMask) || !format) return;
  // vswprintf reports -1 both for a too small buffer and for bad input: grow
  // a few times, then give up on the message.
  for (size_t size = 512; size <= 65536; size *= 4) {
    std::wstring buffer(size, L'\0');
    va_list copy;
    va_copy(copy, arguments);
    const int length = std::vswprintf(buffer.data(), size, format, copy);
    va_end(copy);
    if (length >= 0) {
      buffer.resize(static_cast<size_t>(length));
      Log(level, buffer);
      return;
    }
  }
}

std::wstring CF3DLogHTML::Prefix() const {
  std::wstring prefix;
  if (Options() & kTimeStamp) prefix += CF3DDateTime::Now().Format(m_timeFormat) + L" ";
  if (Options() & kThreadNumber) {
    wchar_t number[32];
    std::swprintf(number, 32, L"(%lu): ", CurrentThreadNumber());
    prefix += number;
  }
  return prefix;
}

void CF3DLogHTML::Write(int level, const std::wstring& text, bool raw) {
  if (!(level & m_levelMask)) return;
  const uint8_t options = Options();
  if ((options & kToFile) && EnsureFile()) {
    std::wstring line = raw ? text : Prefix() + EscapeHtml(text);
    // Each message on its own line of the page.
    if (!raw && (line.empty() || line.back() != L'\n')) line += L"<br>\n";
    WriteToFile(line);
    if (m_file && (level == kLogCrit || level == kLogErr)) {
      try {
        m_file->Flush();
      } catch (const CF3DException&) {
        // Flushing is a courtesy; the bytes are written either way.
      }
    }
  }
  if (options & kToDebugger) SendToDebugger(level, text);
}

void CF3DLogHTML::SendToDebugger(int level, const std::wstring& text) {
  wchar_t head[32];
  std::swprintf(head, 32, L"%ls:(%ls) :", L"V3I", LevelName(level));
  const std::wstring message = head + text;
  if (m_debugOutput) {
    m_debugOutput(message);
  } else {
    WriteDebuggerOutput(message);
  }
}

bool CF3DLogHTML::EnsureFile() {
  if (m_file) return true;
  if (m_path.empty()) return false;
  std::unique_ptr<CF3DFile> file;
  if (m_opener) {
    file = m_opener(m_path);
  } else {
    file = std::make_unique<CF3DFile>();
    if (!file->Open(m_path, CF3DFile::modeWrite | CF3DFile::modeCreate | CF3DFile::shareDenyNone |
                                CF3DFile::modeNoInherit))
      file.reset();
  }
  if (!file) return false;  // tried again with the next message
  m_file = std::move(file);
  if (!m_headWritten) WriteHead();
  return m_file != nullptr;
}

void CF3DLogHTML::WriteHead() {
  m_headWritten = true;
  m_pendingTags.push_back(m_htmlTag.OpeningText());
  m_pendingTags.push_back(CHTMLTag(L"Head", true).OpeningText());
  for (const auto& [name, content] : m_meta) {
    CHTMLTag meta(L"meta", false);
    meta.SetAttribute(L"name", name);
    meta.SetAttribute(L"content", content);
    m_pendingTags.push_back(meta.OpeningText());
  }
  CHTMLTag title(L"Title", true);
  m_pendingTags.push_back(title.OpeningText() + EscapeHtml(m_title) + title.ClosingText() + L"\n");
  CHTMLTag style(L"Style", true);
  m_pendingTags.push_back(style.OpeningText() + m_styleSheet + style.ClosingText() + L"\n");
  m_pendingTags.push_back(CHTMLTag(L"Head", true).ClosingText() + L"\n");
  m_pendingTags.push_back(m_bodyTag.OpeningText());
  // The structure is written whatever the level mask, so the page stays whole.
  while (!m_pendingTags.empty() && m_file) {
    WriteToFile(m_pendingTags.front());
    m_pendingTags.pop_front();
  }
}

void CF3DLogHTML::WriteToFile(const std::wstring& text) {
  if (!m_file) return;
  const std::string bytes = WideToUtf8(text);
  try {
    m_file->Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
  } catch (const CF3DException&) {
    // A log that cannot be written must not take the program down: drop the
    // file and open it afresh (and truncated) with the next message.
    m_file.reset();
    m_headWritten = false;
  }
}

void CF3DLogHTML::Finish() {
  if (m_file && m_headWritten) {
    WriteToFile(m_bodyTag.ClosingText() + m_htmlTag.ClosingText() + L"\n");
  }
  if (m_file) m_file->Abort();
  m_file.reset();
  m_headWritten = false;
}

}  // namespace corvane
