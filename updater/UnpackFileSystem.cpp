#include "updater/UnpackFileSystem.h"

#include <chrono>
#include <thread>

#include "updater/Unzipper.h"

namespace corvane {

EFileKind CUnpackFileSystem::PathKind(const std::wstring& path) { return GetPathKind(path); }

bool CUnpackFileSystem::IsLink(const std::wstring& path) { return IsLinkPath(path); }

bool CUnpackFileSystem::MakeFolder(const std::wstring& path) { return MakeOneFolder(path); }

bool CUnpackFileSystem::RemoveFolder(const std::wstring& path) { return RemoveEmptyFolder(path); }

EFileOp CUnpackFileSystem::CanOverwrite(const std::wstring& path) { return CanOverwriteFile(path); }

EFileOp CUnpackFileSystem::Move(const std::wstring& from, const std::wstring& to) { return ReplaceWithFile(from, to); }

EFileOp CUnpackFileSystem::MoveToFreeName(const std::wstring& from, const std::wstring& to) {
  return corvane::MoveToFreeName(from, to);
}

uint64_t CUnpackFileSystem::FreeSpace(const std::wstring& folder) { return FreeBytesAt(folder); }

void CUnpackFileSystem::Wait(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

bool CUnpackFileSystem::Remove(const std::wstring& path) { return RemoveFile(path); }

bool CUnpackFileSystem::WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  COutputFile file;
  if (!file.Create(path)) return false;
  const bool written = bytes.empty() || file.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
  file.Close();
  return written;
}

bool CUnpackFileSystem::ReadWholeFile(const std::wstring& path, std::string& bytes) {
  return corvane::ReadWholeFile(path, bytes);
}

bool CUnpackFileSystem::ExtractEntry(CUnzipper& archive, const std::wstring& path, uint32_t dosDate) {
  if (!archive.ExtractCurrentTo(path)) return false;
  SetFileDosTime(path, dosDate);
  return true;
}

}  // namespace corvane
