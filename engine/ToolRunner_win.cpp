// Runs a command as a hidden child whose standard output and standard error
// share one anonymous pipe.
#include "engine/ToolRunner.h"

#include <windows.h>

#include <vector>

#include "base/Handle.h"
#include "engine/ToolOutputBlocks.h"

namespace corvane {
namespace {

// A terminated child is gone within milliseconds; this only bounds a hung one.
constexpr DWORD kChildEndWaitMs = 5000;
constexpr size_t kCommandBufferUnits = kMaxToolCommandLine + 1;

struct SChildPipes {
  CHandle outputRead, outputWrite;  // the child writes, we read
  CHandle inputRead, inputWrite;    // the child's stdin; never written
};

bool CreatePipes(SChildPipes& pipes) {
  SECURITY_ATTRIBUTES sa = {};
  sa.nLength = sizeof sa;
  sa.lpSecurityDescriptor = nullptr;
  sa.bInheritHandle = TRUE;
  if (!CreatePipe(pipes.outputRead.Put(), pipes.outputWrite.Put(), &sa, /*size=*/0)) return false;
  if (!CreatePipe(pipes.inputRead.Put(), pipes.inputWrite.Put(), &sa, /*size=*/0)) return false;
  // Our ends stay in this process: a child that inherited them would keep
  // the pipe open after the tool exits and the read loop would never end.
  SetHandleInformation(pipes.outputRead.Get(), HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(pipes.inputWrite.Get(), HANDLE_FLAG_INHERIT, 0);
  return true;
}

STARTUPINFOW MakeStartupInfo(const SChildPipes& pipes) {
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  GetStartupInfoW(&si);
  // The parent's start-up info may name a desktop title or reserved data
  // that must not be passed on; keep only what the child needs from it.
  si.lpReserved = nullptr;
  si.cbReserved2 = 0;
  si.lpReserved2 = nullptr;
  si.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  si.wShowWindow = SW_SHOW;
  si.hStdInput = pipes.inputRead.Get();
  si.hStdOutput = pipes.outputWrite.Get();
  si.hStdError = pipes.outputWrite.Get();
  return si;
}

// The attribute list that names the only handles a child inherits: its own
// pipe ends. Inheriting every inheritable handle would hand a child the
// pipe ends of a run another thread is starting at the same moment, and
// that run's reader would then wait for this child's end, not its own.
class CInheritedHandles {
 public:
  explicit CInheritedHandles(std::vector<HANDLE> handles) : m_handles(std::move(handles)) {
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, /*attributes=*/1, 0, &size);
    m_buffer.resize(size);
    auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(m_buffer.data());
    if (size == 0 || !InitializeProcThreadAttributeList(list, 1, 0, &size)) return;
    m_list = list;
    if (!UpdateProcThreadAttribute(m_list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, m_handles.data(),
                                   m_handles.size() * sizeof(HANDLE), nullptr, nullptr)) {
      Free();
    }
  }
  ~CInheritedHandles() { Free(); }
  CInheritedHandles(const CInheritedHandles&) = delete;
  CInheritedHandles& operator=(const CInheritedHandles&) = delete;

  // Null when the system could not make the list.
  LPPROC_THREAD_ATTRIBUTE_LIST Get() const { return m_list; }

 private:
  void Free() {
    if (m_list) DeleteProcThreadAttributeList(m_list);
    m_list = nullptr;
  }

  std::vector<HANDLE> m_handles;  // read by the list until it is deleted
  std::vector<char> m_buffer;
  LPPROC_THREAD_ATTRIBUTE_LIST m_list = nullptr;
};

void ReadLoop(HANDLE readEnd, TStdStr<char>& accumulated, const OutputChunkHandler& onChunk) {
  const auto read = [readEnd](char* buffer, size_t size) -> size_t {
    DWORD n = 0;
    // Fails with ERROR_BROKEN_PIPE once the child has exited; a read of
    // nothing (a child's empty write) is no end.
    while (ReadFile(readEnd, buffer, static_cast<DWORD>(size), &n, /*overlapped=*/nullptr)) {
      if (n > 0) return n;
    }
    return 0;
  };
  FeedToolOutput(read, accumulated, onChunk);
}

// A job that ends its processes when its last handle closes: when the run
// is over, or when this program ends in any way, a crash included. Without
// it a two-pass encode would go on after the joiner is gone and keep the
// output and ffmpeg.exe locked (an installer or the updater could then not
// replace the tool). Empty when the system refuses one.
CHandle MakeKillOnCloseJob() {
  CHandle job(CreateJobObjectW(/*security=*/nullptr, /*name=*/nullptr));
  if (!job) return job;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (!SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation, &limits, sizeof limits)) job.Close();
  return job;
}

}  // namespace

bool RunTool(const std::wstring& workingFolder, const std::wstring& commandLine,
             const OutputChunkHandler& onChunk, const OutputDoneHandler& onDone, CToolStop* stop) {
  if (commandLine.empty()) return true;
  if (commandLine.size() > kMaxToolCommandLine) return false;

  SChildPipes pipes;
  if (!CreatePipes(pipes)) return false;
  // A child that would inherit more than its own ends is not started.
  const CInheritedHandles inherited({pipes.inputRead.Get(), pipes.outputWrite.Get()});
  if (!inherited.Get()) return false;
  STARTUPINFOEXW si = {};
  si.StartupInfo = MakeStartupInfo(pipes);
  si.StartupInfo.cb = sizeof si;
  si.lpAttributeList = inherited.Get();

  // CreateProcessW may write into the command line, so it gets its own copy.
  std::vector<wchar_t> buffer(kCommandBufferUnits, L'\0');
  commandLine.copy(buffer.data(), commandLine.size());

  // The child starts suspended and joins the job before it runs a single
  // instruction, so nothing it starts can escape the job either.
  const CHandle job = MakeKillOnCloseJob();
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(/*application=*/nullptr, buffer.data(), /*processSecurity=*/nullptr,
                      /*threadSecurity=*/nullptr, /*inherit=*/TRUE,
                      CREATE_NO_WINDOW | CREATE_SUSPENDED | NORMAL_PRIORITY_CLASS | EXTENDED_STARTUPINFO_PRESENT,
                      /*environment=*/nullptr, workingFolder.empty() ? nullptr : workingFolder.c_str(),
                      &si.StartupInfo, &pi))
    return false;
  CHandle process(pi.hProcess);
  CHandle thread(pi.hThread);
  // A child outside the job (the system refused it one) still does its
  // work; only the clean-up after a crash of ours is lost.
  if (job) AssignProcessToJobObject(job.Get(), process.Get());
  ResumeThread(thread.Get());

  // Without our copies of the child's ends the read end reports the end of
  // the pipe when the child exits.
  pipes.outputWrite.Close();
  pipes.inputRead.Close();

  HANDLE child = process.Get();
  const auto terminate = [child] { TerminateProcess(child, /*exitCode=*/0); };
  TStdStr<char> accumulated;
  if (!stop || stop->Attach(terminate)) ReadLoop(pipes.outputRead.Get(), accumulated, onChunk);
  if (stop) stop->Detach();

  // Harmless when the child has already exited; this is how a stop asked for
  // by the chunk handler ends a running conversion. The wait lets the caller
  // delete what the child wrote without meeting its open handles.
  terminate();
  WaitForSingleObject(child, kChildEndWaitMs);
  pipes.outputRead.Close();
  pipes.inputWrite.Close();
  process.Close();
  thread.Close();
  return onDone ? onDone(accumulated) : true;
}

}  // namespace corvane
