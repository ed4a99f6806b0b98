#pragma once
// The command line of corvane-cli:
//   corvane-cli probe FILE
//   corvane-cli join [--fast] -o OUTPUT INPUT...
#include <string>
#include <vector>

namespace corvane {

struct SCliArguments {
  enum EVerb { kHelp, kProbe, kJoin, kInvalid } verb = kInvalid;
  bool fast = false;
  std::string output;
  std::vector<std::string> inputs;  // the probed file for kProbe
  std::string error;                // why the command line is kInvalid
};

SCliArguments ParseCliArguments(const std::vector<std::string>& args);

extern const char kCliUsage[];

}  // namespace corvane
