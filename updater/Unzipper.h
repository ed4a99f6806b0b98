#pragma once
// Reads a zip archive and unpacks it into a folder.
//
// ExtractAll unpacks all or nothing (CUnpackTransaction): every name is
// checked and every entry written and CRC-checked to a pending file before
// any file of the folder is replaced, and a failure puts the old files back.
// A single entry (ExtractCurrent) is likewise written beside its target and
// moved over it only after the zip library has closed the entry cleanly.
// Entry names that could reach outside the target folder are refused.
#include <cstdint>
#include <string>

namespace corvane {

class CHeldPackage;

struct SZipEntryInfo {
  std::wstring name;  // "/" turned into "\"
  uint32_t dosDate = 0;
  uint64_t compressedSize = 0;
  uint64_t uncompressedSize = 0;
  uint32_t externalAttributes = 0;
  bool isFolder = false;
};

class CUnzipper {
 public:
  CUnzipper() = default;
  ~CUnzipper() { CloseArchive(); }
  CUnzipper(const CUnzipper&) = delete;
  CUnzipper& operator=(const CUnzipper&) = delete;

  // Closes any open archive and opens `path`; on success the default output
  // folder becomes the path without its extension.
  bool OpenArchive(const std::wstring& path);
  // Closes any open archive and reads `package`, which must stay held until
  // CloseArchive; there is no default output folder.
  bool OpenArchive(const CHeldPackage& package);
  void CloseArchive();
  bool IsOpen() const { return m_archive != nullptr; }

  // Opens `archive` in a reader of its own and unpacks every entry.
  static bool ExtractArchive(const std::wstring& archive, const std::wstring& folder, bool flatten);

  // Every entry, all or nothing: fails for an archive without entries and
  // for any entry that fails, leaving the folder as it was. Flattened
  // entries are unpacked one by one (two of them may share a file name).
  bool ExtractAll(const std::wstring& folder, bool flatten);
  // The current entry; an empty folder means the default output folder.
  bool ExtractCurrent(const std::wstring& folder, bool flatten);

  int EntryCount() const;
  bool FirstEntry();
  bool NextEntry();
  bool CurrentEntry(SZipEntryInfo& info) const;

  const std::wstring& DefaultOutputFolder() const { return m_defaultFolder; }

  // Writes the current entry's data to `path` (replacing it); false when
  // the entry cannot be read, fails its CRC, gives more or fewer bytes than
  // the archive's directory says (the copy stops at the first byte too
  // many), or the file cannot be written.
  bool ExtractCurrentTo(const std::wstring& path);

 private:
  void* m_archive = nullptr;  // unzFile
  std::wstring m_defaultFolder;
};

// Creates a folder and any missing parents. Fails for an empty path and
// when the path (or a parent) is an existing file.
bool CreateFolderPath(const std::wstring& path);
// Creates the folder a file path lives in; fails for a path without folder.
bool CreateParentFolder(const std::wstring& filePath);

}  // namespace corvane
