#include "updater/Unzipper.h"

#include <vector>

#include "base/TextConvert.h"
#include "updater/MiniZip.h"
#include "updater/UnpackFileSystem.h"
#include "updater/UnpackTransaction.h"
#include "updater/UnzipFiles.h"
#include "updater/UnzipPaths.h"

namespace corvane {
namespace {

constexpr uint32_t kCopyPieceSize = 20480;
// General-purpose flag bit 11: the entry's name is UTF-8, not the ANSI code page.
constexpr uLong kUtf8NameFlag = 0x800;

unzFile Archive(void* handle) { return static_cast<unzFile>(handle); }

std::wstring WithoutTrailingSeparators(std::wstring path) {
  while (path.size() > 1 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  return path;
}

}  // namespace

bool CreateFolderPath(const std::wstring& rawPath) {
  if (rawPath.empty()) return false;
  const std::wstring path = WithoutTrailingSeparators(rawPath);
  switch (GetPathKind(path)) {
    case EFileKind::kFolder: return true;
    case EFileKind::kFile: return false;
    case EFileKind::kMissing: break;
  }
  std::wstring parent;
  // An empty parent is the root of an absolute path, which exists.
  if (ParentPath(path, parent) && !parent.empty() && !CreateFolderPath(parent)) return false;
  return MakeOneFolder(path);
}

bool CreateParentFolder(const std::wstring& filePath) {
  std::wstring parent;
  if (!ParentPath(filePath, parent)) return false;
  return parent.empty() || CreateFolderPath(parent);
}

bool CUnzipper::OpenArchive(const std::wstring& path) {
  CloseArchive();
  m_archive = OpenZipArchive(path);
  if (m_archive) m_defaultFolder = PathWithoutExtension(path);
  return IsOpen();
}

bool CUnzipper::OpenArchive(const CHeldPackage& package) {
  CloseArchive();
  m_archive = OpenZipArchive(package);
  m_defaultFolder.clear();
  return IsOpen();
}

void CUnzipper::CloseArchive() {
  if (!m_archive) return;
  unzCloseCurrentFile(Archive(m_archive));
  unzClose(Archive(m_archive));
  m_archive = nullptr;
}

bool CUnzipper::ExtractArchive(const std::wstring& archive, const std::wstring& folder, bool flatten) {
  CUnzipper reader;
  return reader.OpenArchive(archive) && reader.ExtractAll(folder, flatten);
}

bool CUnzipper::ExtractAll(const std::wstring& folder, bool flatten) {
  if (!IsOpen() || folder.empty() || !CreateFolderPath(folder)) return false;
  if (EntryCount() < 1 || !FirstEntry()) return false;
  if (flatten) {
    do {
      if (!ExtractCurrent(folder, flatten)) return false;
    } while (NextEntry());
    return true;
  }
  CUnpackFileSystem files;
  CUnpackTransaction transaction(folder, files);
  return transaction.Stage(*this) && transaction.Commit();
}

bool CUnzipper::ExtractCurrent(const std::wstring& givenFolder, bool flatten) {
  if (!IsOpen()) return false;
  const std::wstring& folder = givenFolder.empty() ? m_defaultFolder : givenFolder;
  if (!CreateFolderPath(folder)) return false;

  SZipEntryInfo entry;
  if (!CurrentEntry(entry)) return false;
  // Refused before anything is written: nothing may land outside the folder.
  if (!IsSafeEntryName(entry.name)) return false;
  if (entry.isFolder) return true;  // folders come with the files inside them

  const std::wstring target = EntryTargetPath(folder, entry.name, flatten);
  if (!CreateParentFolder(target)) return false;
  switch (GetPathKind(target)) {
    case EFileKind::kFolder: return false;
    case EFileKind::kFile:
      // A file held by a running program must fail the entry, as writing
      // over it in place would.
      if (CanOverwriteFile(target) != EFileOp::kDone) return false;
      break;
    case EFileKind::kMissing: break;
  }

  const std::wstring pending = PendingPathFor(target);
  if (!ExtractCurrentTo(pending) || ReplaceWithFile(pending, target) != EFileOp::kDone) {
    RemoveFile(pending);
    return false;
  }
  SetFileDosTime(target, entry.dosDate);
  return true;
}

bool CUnzipper::ExtractCurrentTo(const std::wstring& path) {
  SZipEntryInfo entry;
  if (!CurrentEntry(entry)) return false;
  COutputFile file;
  if (!file.Create(path)) return false;
  if (unzOpenCurrentFile(Archive(m_archive)) != UNZ_OK) return false;

  std::vector<char> piece(kCopyPieceSize);
  int read = 0;
  bool written = true;
  uint64_t total = 0;
  while ((read = unzReadCurrentFile(Archive(m_archive), piece.data(), kCopyPieceSize)) > 0) {
    total += static_cast<uint64_t>(read);
    // The size in the directory is what the space check counted: an entry
    // that gives more stops here, before it can fill the disk.
    if (total > entry.uncompressedSize || !file.Write(piece.data(), static_cast<uint32_t>(read))) {
      written = false;
      break;
    }
  }
  file.Close();
  // A damaged entry is delivered in full; only the close reports its CRC,
  // and only for an entry that gave every byte its directory names.
  const int closed = unzCloseCurrentFile(Archive(m_archive));
  return written && read == 0 && closed == UNZ_OK && total == entry.uncompressedSize;
}

int CUnzipper::EntryCount() const {
  if (!IsOpen()) return 0;
  unz_global_info64 info{};
  if (unzGetGlobalInfo64(Archive(m_archive), &info) != UNZ_OK) return 0;
  return static_cast<int>(info.number_entry);
}

bool CUnzipper::FirstEntry() { return IsOpen() && unzGoToFirstFile(Archive(m_archive)) == UNZ_OK; }

bool CUnzipper::NextEntry() { return IsOpen() && unzGoToNextFile(Archive(m_archive)) == UNZ_OK; }

bool CUnzipper::CurrentEntry(SZipEntryInfo& entry) const {
  if (!IsOpen()) return false;
  unz_file_info64 info{};
  if (unzGetCurrentFileInfo64(Archive(m_archive), &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
    return false;
  }
  // The whole name, however long: a cut name would land in the wrong place.
  std::vector<char> name(info.size_filename + 1, '\0');
  if (unzGetCurrentFileInfo64(Archive(m_archive), &info, name.data(), static_cast<uLong>(name.size()), nullptr, 0,
                              nullptr, 0) != UNZ_OK) {
    return false;
  }
  const std::string_view bytes(name.data(), info.size_filename);
  entry.name = NormaliseEntryName((info.flag & kUtf8NameFlag) ? Utf8ToWide(bytes) : AnsiToWide(bytes));
  entry.dosDate = static_cast<uint32_t>(info.dosDate);
  entry.compressedSize = info.compressed_size;
  entry.uncompressedSize = info.uncompressed_size;
  entry.externalAttributes = static_cast<uint32_t>(info.external_fa);
  entry.isFolder = IsFolderEntry(entry.name);
  return true;
}

}  // namespace corvane
