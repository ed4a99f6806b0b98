#include "engine/ProbeParser.h"

#include <cwctype>
#include <stdexcept>
#include <string>
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
      /* 0 container */ boost::wregex(L"Input #0([^\\r\\n]*?)from", kSyntax),
      // Frame rate: the whole decimal number ("29.97"), not only its digits.
      /* 1 */ boost::wregex(L"\\s*(\\d*(?:\\.\\d+)?)\\s*fps", kSyntax),
      /* 2 */ boost::wregex(L"framerate\\s*:\\s*(\\d+(?:\\.\\d+)?)", kSyntax),
      /* 3 */ boost::wregex(L"->\\s(\\d+\\.\\d+)", kSyntax),
      /* 4 */ boost::wregex(L"\\s*(\\d*(?:\\.\\d+)?)\\s*tbr", kSyntax),
      /* 5 */ boost::wregex(L"Duration:(.*), start:", kSyntax),
      /* 6 */ boost::wregex(L"bitrate:(.*?)(kb/s|N/A)", kSyntax),
      /* 7 */ boost::wregex(L"Video:(" FIELD L"*?),(" FIELD L"*?),(\\s*\\d+x\\d+\\s*),(" FIELD L"*?) kb/s(\\s|,)", kSyntax),
      /* 8 */ boost::wregex(L"Video:(" FIELD L"*?),(" FIELD L"*?),(" FIELD L"+?),(" FIELD L"*?) kb/s(\\s|,)", kSyntax),
      // The size may be the last field of its line; the bit rate group stays empty.
      /* 9 */ boost::wregex(L"Video:(" FIELD L"*?),(" FIELD L"*?),(" FIELD L"+)()", kSyntax),
      /* 10 */ boost::wregex(L"Video:(" FIELD L"*?),(" FIELD L"*?),(\\s*\\d+x\\d+\\s*)()", kSyntax),
      // The skipped part may run on to a later line's bit rate.
      /* 11 */ boost::wregex(L"Audio:(" FIELD L"+?),(" FIELD L"+?),(?:[\\w\\W]+?)([\\d]+)\\skb/s", kSyntax),
      /* 12 */ boost::wregex(L"Audio:(" FIELD L"+?),(" FIELD L"+?),(?:[\\w\\W]+?)", kSyntax),
  };
  return patterns[which];
}
#undef FIELD

enum { kContainer = 0, kFpsFirst = 1, kFpsLast = 4, kDuration = 5, kBitrate = 6,
       kVideoFirst = 7, kVideoLast = 10, kAudioWithRate = 11, kAudioPlain = 12 };

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

void ReadContainer(const std::wstring& text, SVideoPropertyInfo& info) {
  // Demuxer names, tested in this order; the first one contained wins.
  static const struct { const wchar_t* contained; const wchar_t* format; } kFormats[] = {
      {L"flv", L"flv"}, {L"rm", L"rmvb"}, {L"avi", L"avi"}, {L"mp4", L"mp4"}, {L"wmv", L"wmv"},
      {L"asf", L"wmv"}, {L"mp3", L"mp3"}, {L"matroska", L"matroska"}, {L"mpegts", L"ts"}};
  boost::wsmatch match;
  if (!info.format.empty() || !Search(text, kContainer, match)) return;
  const std::wstring names = match[1].str();
  info.format.clear();
  for (const auto& entry : kFormats) {
    if (names.find(entry.contained) != std::wstring::npos) {
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
  // "fps" and "tbr" only on the video stream's line: metadata
  // ("com.android.capture.fps: 30"), titles and the file's own name
  // ("holiday 99 fps.mp4") mention rates too. "framerate :" (the container's
  // own field) and "->" (the tool's note on a rate it corrected) name no
  // other rate.
  const std::wstring line = StreamLine(text, L"Video:");
  boost::wsmatch match;
  for (int which = kFpsFirst; which <= kFpsLast; ++which) {
    const bool onVideoLine = which == kFpsFirst || which == kFpsLast;
    if (!Search(onVideoLine ? line : text, which, match)) continue;
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

}  // namespace

bool ParseProbeOutput(SVideoPropertyInfo& info, const TStdStr<char>& output) {
  const std::wstring text = Utf8ToWide(output);
  if (text.find(L"Invalid data found when processing input") != std::wstring::npos) return false;
  ReadContainer(text, info);
  ReadFrameRate(text, info);
  ReadDurationAndBitrate(text, info);
  ReadVideo(text, info);
  ReadAudio(text, info);
  ReadAudioChannels(text, info);
  RefineFormat(info);
  return true;
}

std::vector<SVideoPropertyInfo> ParseProbeAllOutput(const TStdStr<char>& output) {
  // Each input's description starts with an unindented "Input #N, " line and
  // goes on with indented lines; the first unindented line after it (the
  // next input, or the complaint about an input that could not be read)
  // ends it.
  std::vector<SVideoPropertyInfo> records;
  size_t at = 0;
  for (size_t index = 0;; ++index) {
    const std::string header = "Input #" + std::to_string(index) + ", ";
    const size_t begin = output.find(header, at);
    if (begin == std::string::npos || (begin != 0 && output[begin - 1] != '\n' && output[begin - 1] != '\r')) break;
    size_t end = output.find_first_of("\r\n", begin);
    while (end != std::string::npos) {
      const size_t next = output.find_first_not_of("\r\n", end);
      if (next == std::string::npos || (output[next] != ' ' && output[next] != '\t')) break;
      end = output.find_first_of("\r\n", next);
    }
    const size_t stop = end == std::string::npos ? output.size() : end;
    // The parser knows the first input only.
    std::string section = "Input #0, " + output.substr(begin + header.size(), stop - begin - header.size());
    SVideoPropertyInfo record;
    if (!ParseProbeOutput(record, section)) break;
    records.push_back(record);
    at = stop;
  }
  return records;
}

}  // namespace corvane
