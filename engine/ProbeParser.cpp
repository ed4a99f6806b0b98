#include "engine/ProbeParser.h"

#include <cwctype>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <boost/lexical_cast.hpp>
#include <boost/regex.hpp>

#include "base/TextConvert.h"
#include "base/TrimBlanks.h"

namespace corvane {
namespace {

// Perl syntax; '.' also matches line breaks, so lazy and greedy groups may
// run across lines. Every search is unanchored and takes the leftmost match.
const boost::regex_constants::syntax_option_type kSyntax = boost::regex::perl | boost::regex::mod_s;

// One comma-separated field of a stream line. Current FFmpeg puts commas
// inside parentheses ("yuv420p(tv, bt709, progressive)"), so a field is made
// of characters other than commas, parentheses and line breaks, or of whole
// parenthesised groups. Keeping fields on their line also stops a line that
// lacks a field from borrowing one from the next line.
#define FIELD L"(?:[^,()\\r\\n]|\\([^()\\r\\n]*\\))"

const boost::wregex& Re(int which) {
  static const boost::wregex patterns[] = {
      // Frame rate: the whole decimal number ("29.97"), not only its digits.
      /* 0 */ boost::wregex(L"\\s*(\\d*(?:\\.\\d+)?)\\s*fps", kSyntax),
      /* 1 */ boost::wregex(L"\\s*(\\d*(?:\\.\\d+)?)\\s*tbr", kSyntax),
      /* 2 */ boost::wregex(L"Duration:(.*), start:", kSyntax),
      /* 3 */ boost::wregex(L"bitrate:(.*?)(kb/s|N/A)", kSyntax),
      /* 4 */ boost::wregex(L"Video:(" FIELD L"*?),(" FIELD L"*?),(\\s*\\d+x\\d+\\s*),(" FIELD L"*?) kb/s(\\s|,)", kSyntax),
      /* 5 */ boost::wregex(L"Video:(" FIELD L"*?),(" FIELD L"*?),(" FIELD L"+?),(" FIELD L"*?) kb/s(\\s|,)", kSyntax),
      // The size may be the last field of its line; the bit rate group stays empty.
      /* 6 */ boost::wregex(L"Video:(" FIELD L"*?),(" FIELD L"*?),(" FIELD L"+)()", kSyntax),
      /* 7 */ boost::wregex(L"Video:(" FIELD L"*?),(" FIELD L"*?),(\\s*\\d+x\\d+\\s*)()", kSyntax),
      // The skipped part may run on to a later line's bit rate.
      /* 8 */ boost::wregex(L"Audio:(" FIELD L"+?),(" FIELD L"+?),(?:[\\w\\W]+?)([\\d]+)\\skb/s", kSyntax),
      /* 9 */ boost::wregex(L"Audio:(" FIELD L"+?),(" FIELD L"+?),(?:[\\w\\W]+?)", kSyntax),
  };
  return patterns[which];
}
#undef FIELD

enum { kFpsFirst = 0, kFpsLast = 1, kDuration = 2, kBitrate = 3,
       kVideoFirst = 4, kVideoLast = 7, kAudioWithRate = 8, kAudioPlain = 9 };

// Strict: the whole text must be the number.
template <class T>
bool ToNumber(const std::wstring& text, T& value) {
  return boost::conversion::try_lexical_convert(text, value);
}

bool Search(const std::wstring& text, int which, boost::wsmatch& match) {
  try {
    return boost::regex_search(text, match, Re(which));
  } catch (const std::runtime_error&) {
    // Boost gives up on pathological text (too complex a match); such text
    // simply does not match, rather than ending the probe with an exception.
    return false;
  }
}

void ReadContainer(const std::wstring& demuxers, SVideoPropertyInfo& info) {
  // Demuxer names, tested in this order; the first one contained wins.
  static const struct { const wchar_t* contained; const wchar_t* format; } kFormats[] = {
      {L"flv", L"flv"}, {L"rm", L"rmvb"}, {L"avi", L"avi"}, {L"mp4", L"mp4"}, {L"wmv", L"wmv"},
      {L"asf", L"wmv"}, {L"mp3", L"mp3"}, {L"matroska", L"matroska"}, {L"mpegts", L"ts"}};
  if (!info.format.empty()) return;
  for (const auto& entry : kFormats) {
    if (demuxers.find(entry.contained) != std::wstring::npos) {
      info.format = entry.format;
      return;
    }
  }
}

// The first stream line of a kind, from just after marker ("Video:",
// "Audio:") to the line's end; empty when there is none.
std::wstring StreamLine(const std::wstring& text, const std::wstring& marker) {
  const size_t at = text.find(marker);
  if (at == std::wstring::npos) return {};
  const size_t begin = at + marker.size();
  const size_t end = text.find_first_of(L"\r\n", begin);
  return text.substr(begin, end == std::wstring::npos ? std::wstring::npos : end - begin);
}

void ReadFrameRate(const std::wstring& text, SVideoPropertyInfo& info) {
  if (info.frameRate != 0) return;
  // "fps", else "tbr", on the video stream's line only: metadata
  // ("com.android.capture.fps: 30", FLV's "framerate : 15"), titles and the
  // file's own name ("holiday 99 fps.mp4") are the file's claims, not the
  // tool's reading.
  const std::wstring line = StreamLine(text, L"Video:");
  boost::wsmatch match;
  for (int which = kFpsFirst; which <= kFpsLast; ++which) {
    if (!Search(line, which, match)) continue;
    const std::wstring rate = TrimSpace(match[1].str());
    double value = 0;
    if (!rate.empty() && ToNumber(rate, value)) info.frameRate = value;
    return;  // the first pattern that matches decides, even when empty
  }
}

void ReadDurationAndBitrate(const std::wstring& text, SVideoPropertyInfo& info) {
  boost::wsmatch match;
  if (info.duration.empty() && Search(text, kDuration, match)) info.duration = TrimSpace(match[1].str());
  if (info.bitrate == 0 && Search(text, kBitrate, match)) {
    const std::wstring rate = TrimSpace(match[1].str());
    double value = 0;
    if (!rate.empty() && ToNumber(rate, value)) info.bitrate = value;
  }
}

// "160x120 [SAR 1:1 DAR 4:3]": width before the first 'x', height after it
// up to the first space. A bad number keeps what was set before it.
void ReadSize(const std::wstring& field, SVideoPropertyInfo& info) {
  const std::wstring size = TrimSpace(field);
  const size_t x = size.find(L'x');
  if (x == std::wstring::npos) return;
  int32_t width = 0;
  if (!ToNumber(size.substr(0, x), width)) return;
  info.width = width;
  const std::wstring rest = size.substr(x + 1);
  int32_t height = 0;
  if (ToNumber(rest.substr(0, rest.find(L' ')), height)) info.height = height;
}

void ReadVideo(const std::wstring& text, SVideoPropertyInfo& info) {
  if (info.width != 0 && info.height != 0) return;
  boost::wsmatch match;
  bool found = false;
  for (int which = kVideoFirst; which <= kVideoLast && !found; ++which) found = Search(text, which, match);
  const std::wstring codec = found ? match[1].str() : std::wstring();
  const std::wstring size = found ? match[3].str() : std::wstring();
  const std::wstring rate = found ? match[4].str() : std::wstring();
  ReadSize(size, info);
  info.videoCodec = TrimSpace(codec);
  double value = 0;
  if (ToNumber(TrimSpace(rate), value)) info.videoBitrate = value;
}

void ReadAudio(const std::wstring& text, SVideoPropertyInfo& info) {
  if (!info.audioCodec.empty()) return;
  boost::wsmatch match;
  const bool withRate = Search(text, kAudioWithRate, match);
  if (!withRate && !Search(text, kAudioPlain, match)) return;
  info.audioCodec = TrimSpace(match[1].str());
  const std::wstring sampleRate = TrimSpace(match[2].str());
  if (!sampleRate.empty()) info.audioSampleRate = sampleRate;
  double value = 0;
  if (withRate && ToNumber(match[3].str(), value)) info.audioBitrate = value;
}

// The fields of a stream line, split at commas outside parentheses.
std::vector<std::wstring> StreamFields(const std::wstring& line) {
  std::vector<std::wstring> fields(1);
  int depth = 0;
  for (wchar_t c : line) {
    if (c == L'(') ++depth;
    if (c == L')' && depth > 0) --depth;
    if (c == L',' && depth == 0) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

void ReadAudioChannels(const std::wstring& text, SVideoPropertyInfo& info) {
  if (!info.audioChannels.empty()) return;
  const std::vector<std::wstring> fields = StreamFields(StreamLine(text, L"Audio:"));
  if (fields.size() >= 3) info.audioChannels = TrimSpace(fields[2]);
}

void RefineFormat(SVideoPropertyInfo& info) {
  if (info.format == L"flv" && info.HasH264() && info.HasAac()) {
    info.format = L"f4v";
  } else if (info.format == L"matroska" && info.videoCodec == L"vp8" && info.audioCodec == L"vorbis") {
    info.format = L"WebM";
  }
}

const char kUnreadable[] = "Invalid data found when processing input";

// What the tool wrote about one input: the demuxer names of its header line
// and the indented lines under it, less every metadata block. The file's
// name and its metadata (titles, comments, tags) are the file's own text:
// left out, they cannot pass for a stream, a duration or another input.
struct SDescription {
  std::wstring demuxers;
  std::wstring body;
};

bool IsLineStart(const std::string& text, size_t pos) {
  return pos == 0 || text[pos - 1] == '\n' || text[pos - 1] == '\r';
}

size_t LineEnd(const std::string& text, size_t pos) {
  const size_t end = text.find_first_of("\r\n", pos);
  return end == std::string::npos ? text.size() : end;
}

size_t NextLine(const std::string& text, size_t lineEnd) {
  const size_t next = text.find_first_not_of("\r\n", lineEnd);
  return next == std::string::npos ? text.size() : next;
}

size_t Indent(std::string_view line) {
  const size_t text = line.find_first_not_of(" \t");
  return text == std::string_view::npos ? line.size() : text;
}

// The end of a header's name at `at`, just after its "':", when the text
// there is `name` followed by "':" and a line end; npos otherwise.
size_t NameEnd(const std::string& text, size_t at, std::string_view name) {
  if (text.compare(at, name.size(), name) != 0 || text.compare(at + name.size(), 2, "':") != 0) {
    return std::string::npos;
  }
  const size_t end = at + name.size() + 2;
  return end == text.size() || text[end] == '\r' || text[end] == '\n' ? end : std::string::npos;
}

// The name's last part, after its last separator.
std::string_view FinalPart(std::string_view name) {
  const size_t separator = name.find_last_of("\\/");
  return separator == std::string_view::npos ? name : name.substr(separator + 1);
}

// Where the header "Input #index, DEMUXERS, from 'NAME':" that starts at pos
// ends (just after the colon), or npos when none starts there. With a name,
// only the name the command gave matches, line breaks and all; a tool that
// prints the path in its own spelling (a translated folder, other
// separators) must still end it with the name's last part, whose first such
// end counts. Without a name the header is the rest of its line.
size_t HeaderEnd(const std::string& text, size_t pos, const std::string& prefix, const std::string* name,
                 std::string& demuxers) {
  if (text.compare(pos, prefix.size(), prefix) != 0) return std::string::npos;
  const size_t namesBegin = pos + prefix.size();
  const size_t lineEnd = LineEnd(text, namesBegin);
  static const std::string kFrom = ", from '";
  const size_t from = text.find(kFrom, namesBegin);
  if (from == std::string::npos || from > lineEnd) return std::string::npos;
  demuxers = text.substr(namesBegin, from - namesBegin);
  if (!name) return lineEnd;
  const size_t nameBegin = from + kFrom.size();
  const size_t exact = NameEnd(text, nameBegin, *name);
  if (exact != std::string::npos) return exact;
  const std::string_view last = FinalPart(*name);
  if (last.empty()) return std::string::npos;
  for (size_t at = text.find(last, nameBegin); at != std::string::npos; at = text.find(last, at + 1)) {
    const size_t end = NameEnd(text, at, last);
    if (end != std::string::npos && (at == nameBegin || text[at - 1] == '/' || text[at - 1] == '\\')) return end;
  }
  return std::string::npos;
}

// The indented lines from pos on, up to the first unindented one (the next
// input, or the complaint about an input that could not be read), without
// the lines of a "Metadata:" block (indented deeper than its heading).
// `at` moves past them.
std::string DescriptionBody(const std::string& text, size_t& at) {
  std::string body;
  size_t metadataIndent = std::string::npos;
  size_t pos = NextLine(text, at);
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
    const size_t end = LineEnd(text, pos);
    const std::string_view line(text.data() + pos, end - pos);
    const size_t indent = Indent(line);
    at = end;
    pos = NextLine(text, end);
    if (metadataIndent != std::string::npos && indent > metadataIndent) continue;
    metadataIndent = line.substr(indent) == "Metadata:" ? indent : std::string::npos;
    body.append(line).push_back('\n');
  }
  return body;
}

// The description of input `index`, searched from `at` on (which moves past
// it); none when the text holds no header for it at a line start.
std::optional<SDescription> FindDescription(const std::string& text, size_t index, const std::string* name,
                                            size_t& at) {
  const std::string prefix = "Input #" + std::to_string(index) + ", ";
  for (size_t pos = text.find(prefix, at); pos != std::string::npos; pos = text.find(prefix, pos + 1)) {
    if (!IsLineStart(text, pos)) continue;
    std::string demuxers;
    const size_t end = HeaderEnd(text, pos, prefix, name, demuxers);
    if (end == std::string::npos) continue;
    at = end;
    SDescription description;
    description.demuxers = Utf8ToWide(demuxers);
    description.body = Utf8ToWide(DescriptionBody(text, at));
    return description;
  }
  return std::nullopt;
}

void ReadDescription(const SDescription& description, SVideoPropertyInfo& info) {
  const std::wstring& text = description.body;
  ReadContainer(description.demuxers, info);
  ReadFrameRate(text, info);
  ReadDurationAndBitrate(text, info);
  ReadVideo(text, info);
  ReadAudio(text, info);
  ReadAudioChannels(text, info);
  RefineFormat(info);
}

}  // namespace

bool ParseProbeOutput(SVideoPropertyInfo& info, const TStdStr<char>& output) {
  return ParseProbeOutput(info, output, info.filePath);
}

bool ParseProbeOutput(SVideoPropertyInfo& info, const TStdStr<char>& output, const std::wstring& probedName) {
  const std::string name = WideToUtf8(probedName);
  size_t at = 0;
  const std::optional<SDescription> description =
      FindDescription(output, 0, probedName.empty() ? nullptr : &name, at);
  if (!description) return output.find(kUnreadable) == std::string::npos;
  ReadDescription(*description, info);
  return true;
}

std::vector<SVideoPropertyInfo> ParseProbeAllOutput(const TStdStr<char>& output, const std::vector<std::wstring>& names) {
  std::vector<SVideoPropertyInfo> records;
  size_t at = 0;
  for (size_t index = 0; index < names.size(); ++index) {
    const std::string name = WideToUtf8(names[index]);
    const std::optional<SDescription> description = FindDescription(output, index, &name, at);
    // The tool stops at the first input it cannot read: no description
    // follows for it or any later input.
    if (!description) break;
    SVideoPropertyInfo record;
    ReadDescription(*description, record);
    records.push_back(record);
  }
  return records;
}

}  // namespace corvane
