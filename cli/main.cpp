// corvane-cli: the join engine from a terminal.
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/AppCommonPath.h"
#include "base/EventLoop.h"
#include "base/FsPath.h"
#include "base/TextConvert.h"
#include "cli/CliArguments.h"
#include "cli/CliJoinHost.h"
#include "cli/ProbeReport.h"
#include "engine/JoinController.h"
#include "engine/JoinStepsImpl.h"
#include "engine/PathParts.h"
#include "engine/OutputKind.h"
#include "engine/ProbeMedia.h"
#include "engine/ToolRunner.h"

using namespace corvane;

namespace {

// The window polls its join every second; a terminal has no reason to wait
// that long between steps.
constexpr unsigned kCliTimerPeriodMs = 20;

std::atomic<bool> g_interrupted{false};

extern "C" void OnInterrupt(int) { g_interrupted.store(true); }

void CatchInterruptions() {
  struct sigaction action = {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

std::wstring AbsolutePath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(std::filesystem::u8path(path), error);
  return Utf8ToWide((error ? std::filesystem::u8path(path) : absolute.lexically_normal()).u8string());
}

int Fail(int exitCode, const std::string& message) {
  std::fprintf(stderr, "corvane-cli: %s\n", message.c_str());
  return exitCode;
}

bool RequireTool() { return !GetToolPath().empty(); }

int Probe(const std::string& file) {
  if (!RequireTool()) return Fail(kExitUsage, "ffmpeg was not found (install it or set CORVANE_FFMPEG)");
  SVideoPropertyInfo info;
  if (!ProbeMedia(AbsolutePath(file), info)) return Fail(kExitFailed, "could not read " + file);
  std::fputs(FormatProbeReport(info).c_str(), stdout);
  return 0;
}

int Join(const SCliArguments& args) {
  if (!RequireTool()) return Fail(kExitUsage, "ffmpeg was not found (install it or set CORVANE_FFMPEG)");
  SJoinJob job;
  job.outputPath = AbsolutePath(args.output);
  if (job.outputPath.find(L'"') != std::wstring::npos) {
    return Fail(kExitUsage, "an output name with a double quote cannot be written: " + args.output);
  }
  if (GetOutputKind(job.outputPath) == OutputKindNone) {
    return Fail(kExitUsage, "unknown output kind for " + args.output +
                                " (use .avi, .flv, .f4v, .rm, .rmvb, .wmv, .asf, .mp4, .mov or .3gp)");
  }
  for (const std::string& input : args.inputs) {
    const std::wstring path = AbsolutePath(input);
    std::error_code error;
    if (!std::filesystem::is_regular_file(ToFsPath(path), error)) {
      return Fail(kExitUsage, "input not found: " + input);
    }
    // The tool's command line quotes each path with double quotes and cannot
    // carry one inside a path (Windows names never hold one).
    if (path.find(L'"') != std::wstring::npos) {
      return Fail(kExitUsage, "a file name with a double quote cannot be joined: " + input);
    }
    job.files.push_back(path);
  }

  CatchInterruptions();
  CEventLoop& loop = CEventLoop::Current();
  CJoinSteps steps;
  CCliJoinHost host(loop, args.fast, kCliTimerPeriodMs, g_interrupted);
  CJoinController controller(host, steps, job, GetToolPath(), CAppCommonPath::Instance().ProgramFolder());
  return host.Run(controller);
}

}  // namespace

int main(int argc, char** argv) {
  const SCliArguments args = ParseCliArguments(std::vector<std::string>(argv + 1, argv + argc));
  switch (args.verb) {
    case SCliArguments::kHelp:
      std::fputs(kCliUsage, stdout);
      return 0;
    case SCliArguments::kProbe:
      return Probe(args.inputs[0]);
    case SCliArguments::kJoin:
      return Join(args);
    case SCliArguments::kInvalid:
      break;
  }
  std::fprintf(stderr, "corvane-cli: %s\n%s", args.error.c_str(), kCliUsage);
  return kExitUsage;
}
