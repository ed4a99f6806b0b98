// The joiner's command line, read by CommandLineParser: one optional
// argument (the launch data) and options introduced by "-" or "/".
#include "base/CommandLineParser.h"
#include "tests/fuzz/FuzzInput.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring commandLine = fuzz::WideFromBytes(fuzz::AsText(data, size));

  // Tokens are pieces of the line: never longer together than the line.
  size_t total = 0;
  for (const std::wstring& token : CommandLineParser::Tokenise(commandLine)) total += token.size();
  FUZZ_CHECK(total <= commandLine.size());

  // As the joiner's entry reads it.
  CommandLineParser joiner(L"-/");
  joiner.AddPositionalArgument({L"1", L"", /*optional=*/true, L""});
  if (joiner.Parse(commandLine)) {
    FUZZ_CHECK(joiner.ErrorMessage().empty());
  } else {
    FUZZ_CHECK(!joiner.ErrorMessage().empty());
  }
  FUZZ_CHECK(joiner.PositionalValue(L"1").size() <= commandLine.size());

  // With options that take arguments, so that every path of the parser runs.
  CommandLineParser full(L"-/", L"", L"closing text");
  full.AddOption(L'o', L"output", {{L"path", L"where to", /*optional=*/false, L""}});
  full.AddOption(L'x', L"extra", {{L"a", L"", /*optional=*/false, L""}, {L"b", L"", /*optional=*/true, L"b0"}});
  full.AddPositionalArgument({L"first", L"", /*optional=*/false, L""});
  full.AddPositionalArgument({L"second", L"", /*optional=*/true, L"two"});
  const bool parsed = full.Parse(commandLine);
  FUZZ_CHECK(parsed == full.ErrorMessage().empty());
  FUZZ_CHECK(full.OptionValues(L'x').size() <= 2);
  full.UsageText();
  return 0;
}
