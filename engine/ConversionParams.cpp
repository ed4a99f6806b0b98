#include "engine/ConversionParams.h"

#include <cmath>
#include <climits>
#include <cwctype>
#include <stdexcept>

#include <boost/lexical_cast.hpp>
#include <boost/regex.hpp>

#include "base/TrimBlanks.h"

namespace corvane {
namespace {

constexpr int kDefaultVideoBitrate = 264;
constexpr int kDefaultAudioBitrate = 128;
constexpr int kDefaultSampleRate = 22050;

// Truncates toward zero; values an int cannot hold count as absent.
int Truncate(double value) {
  if (!std::isfinite(value) || value >= INT_MAX || value <= INT_MIN) return 0;
  return static_cast<int>(value);
}

}  // namespace

int ReadSampleRate(const std::wstring& text) {
  static const boost::wregex kHz(L"(.+)Hz", boost::regex::perl | boost::regex::mod_s);
  boost::wsmatch match;
  int rate = 0;
  try {
    if (!boost::regex_search(text, match, kHz)) return kDefaultSampleRate;
  } catch (const std::runtime_error&) {
    return kDefaultSampleRate;  // Boost refused text too complex to match
  }
  if (!boost::conversion::try_lexical_convert(TrimSpace(match[1].str()), rate)) return kDefaultSampleRate;
  return rate;
}

int NormaliseSampleRate(int sampleRate) {
  if (sampleRate > 44099) return 44100;
  if (sampleRate < 22050) return 11025;
  return 22050;
}

SConversionParams MakeConversionParams(const SVideoPropertyInfo& reference) {
  SConversionParams params;
  params.width = reference.width;
  params.videoBitrate = Truncate(reference.videoBitrate);
  if (params.videoBitrate == 0) params.videoBitrate = Truncate(reference.bitrate);
  if (params.videoBitrate == 0) params.videoBitrate = kDefaultVideoBitrate;
  params.audioBitrate = Truncate(reference.audioBitrate);
  if (params.audioBitrate == 0) params.audioBitrate = kDefaultAudioBitrate;
  params.sampleRate = ReadSampleRate(reference.audioSampleRate);
  params.normalisedSampleRate = NormaliseSampleRate(params.sampleRate);
  return params;
}

}  // namespace corvane
