// What a click on a link does: dead links only tell their parent, opening
// links open their target once it is set and count as visited only when
// the shell took it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/HyperLinkModel.h"

namespace corvane {
namespace {

struct SOpenerLog {
  std::vector<std::wstring> opened;
  bool succeed = true;
  CHyperLinkModel::TOpener Opener() {
    return [this](const std::wstring& target) {
      opened.push_back(target);
      return succeed;
    };
  }
};

TEST(HyperLinkModel, DeadLinkWithATargetNeverOpensIt) {
  CHyperLinkModel link(/*opensTarget=*/false);
  link.SetTarget(L"https://www.tavrel.example/");
  SOpenerLog log;
  EXPECT_EQ(link.Activate(log.Opener()), ELinkAction::kNotifyParent);
  EXPECT_EQ(link.Activate(log.Opener()), ELinkAction::kNotifyParent);
  EXPECT_TRUE(log.opened.empty());
  EXPECT_FALSE(link.Visited());
  EXPECT_EQ(link.TextColour(), kLinkColour);
}

TEST(HyperLinkModel, OpeningLinkOpensItsTargetAndTurnsVisited) {
  CHyperLinkModel link(/*opensTarget=*/true);
  link.SetTarget(L"mailto:support@tavrel.example");
  SOpenerLog log;
  EXPECT_EQ(link.Activate(log.Opener()), ELinkAction::kOpenTarget);
  ASSERT_EQ(log.opened.size(), 1u);
  EXPECT_EQ(log.opened[0], L"mailto:support@tavrel.example");
  EXPECT_TRUE(link.Visited());
  EXPECT_EQ(link.TextColour(), kVisitedLinkColour);
}

TEST(HyperLinkModel, EmptyTargetOpensNothingAndStaysUnvisited) {
  CHyperLinkModel link(/*opensTarget=*/true);
  link.SetLabel(L"Home");
  SOpenerLog log;
  EXPECT_EQ(link.Activate(log.Opener()), ELinkAction::kNothing);
  link.SetTarget(L"https://www.tavrel.example/");
  link.SetTarget(L"");  // an empty text clears the target
  EXPECT_EQ(link.Activate(log.Opener()), ELinkAction::kNothing);
  EXPECT_TRUE(log.opened.empty());
  EXPECT_FALSE(link.Visited());
}

TEST(HyperLinkModel, TargetRefusedByTheShellDoesNotCountAsVisited) {
  CHyperLinkModel link(/*opensTarget=*/true);
  link.SetTarget(L"unknown-scheme:x");
  SOpenerLog log;
  log.succeed = false;
  EXPECT_EQ(link.Activate(log.Opener()), ELinkAction::kNothing);
  EXPECT_EQ(log.opened.size(), 1u);
  EXPECT_FALSE(link.Visited());
}

TEST(HyperLinkModel, TargetIsACopyOfTheGivenText) {
  CHyperLinkModel link(/*opensTarget=*/true);
  std::wstring source = L"https://a.example/";
  link.SetTarget(source);
  source[8] = L'b';
  EXPECT_EQ(link.Target(), L"https://a.example/");
}

}  // namespace
}  // namespace corvane
