#include "engine/OutputKind.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(GetOutputKind, ExtensionListsInAnyCase) {
  const struct { const wchar_t* path; OutputKind kind; } cases[] = {
      {L"C:\\out\\a.flv", OutputKindFlv},   {L"a.F4V", OutputKindFlv},      {L"a.hlv", OutputKindFlv},
      {L"a.flx", OutputKindFlv},            {L"a.fmv", OutputKindFlv},      {L"a.rmvb", OutputKindRm},
      {L"a.RM", OutputKindRm},              {L"Clip.MP4", OutputKindMp4},   {L"a.3gp", OutputKindMp4},
      {L"a.Mov", OutputKindMp4},            {L"a.avi", OutputKindAvi},      {L"a.wmv", OutputKindWmv},
      {L"a.WMA", OutputKindWmv},            {L"a.asf", OutputKindWmv},      {L"/home/u/x.y.avi", OutputKindAvi},
      {L"clip.mpeg", OutputKindNone},       {L"clip.mp4.bak", OutputKindNone}, {L"clip.", OutputKindNone},
      {L"clip", OutputKindNone},            {L"", OutputKindNone},          {L"mp4", OutputKindMp4},
      {L"clip.mp", OutputKindNone},         {L"clip.mp44", OutputKindNone}, {L"clip. mp4", OutputKindNone}};
  for (const auto& c : cases) EXPECT_EQ(c.kind, GetOutputKind(c.path)) << c.path;
}

}  // namespace
}  // namespace corvane
