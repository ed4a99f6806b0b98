#include "cli/CliArguments.h"

namespace corvane {

const char kCliUsage[] =
    "usage: corvane-cli probe FILE\n"
    "       corvane-cli join [--fast] -o OUTPUT INPUT INPUT...\n"
    "\n"
    "join converts every input to an MPEG stream, joins the streams and converts\n"
    "the result to the output's format (.avi .flv .rm .wmv .mp4 and their kin);\n"
    "--fast copies the streams of all inputs into an .mp4 or .flv output instead.\n";

namespace {

SCliArguments Invalid(std::string why) {
  SCliArguments result;
  result.error = std::move(why);
  return result;
}

SCliArguments ParseJoin(const std::vector<std::string>& args) {
  SCliArguments result;
  result.verb = SCliArguments::kJoin;
  bool optionsEnded = false;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg == "--fast") {
      result.fast = true;
    } else if (!optionsEnded && (arg == "-o" || arg == "--output")) {
      if (i + 1 >= args.size()) return Invalid("-o needs an output file");
      result.output = args[++i];
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      return Invalid("unknown option " + arg);
    } else {
      result.inputs.push_back(arg);
    }
  }
  if (result.output.empty()) return Invalid("no output file given (-o OUTPUT)");
  if (result.inputs.size() < 2) return Invalid("a join needs at least two input files");
  return result;
}

}  // namespace

SCliArguments ParseCliArguments(const std::vector<std::string>& args) {
  if (args.empty()) return Invalid("no command given");
  const std::string& verb = args[0];
  if (verb == "-h" || verb == "--help" || verb == "help") {
    SCliArguments result;
    result.verb = SCliArguments::kHelp;
    return result;
  }
  if (verb == "probe") {
    if (args.size() != 2) return Invalid("probe takes exactly one file");
    SCliArguments result;
    result.verb = SCliArguments::kProbe;
    result.inputs.push_back(args[1]);
    return result;
  }
  if (verb == "join") return ParseJoin(args);
  return Invalid("unknown command " + verb);
}

}  // namespace corvane
