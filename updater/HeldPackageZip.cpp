// The zip reader over the held package: minizip's file functions read the
// held copy at a position of their own, so the archive is opened from the
// very bytes that were checked and never by path.
#include "updater/HeldPackage.h"
#include "updater/MiniZip.h"

namespace corvane {
namespace {

// One stream minizip opened; it frees it in its close function.
struct SZipCursor {
  const CHeldPackage& package;
  ZPOS64_T position = 0;
  bool failed = false;
};

SZipCursor& Cursor(voidpf stream) { return *static_cast<SZipCursor*>(stream); }

voidpf ZCALLBACK OpenHeld(voidpf opaque, const void* /*name*/, int mode) {
  if (mode & ZLIB_FILEFUNC_MODE_WRITE) return nullptr;  // read only
  return new SZipCursor{*static_cast<const CHeldPackage*>(opaque)};
}

uLong ZCALLBACK ReadHeld(voidpf /*opaque*/, voidpf stream, void* buffer, uLong size) {
  SZipCursor& cursor = Cursor(stream);
  uint32_t got = 0;
  if (!cursor.package.ReadAt(cursor.position, buffer, static_cast<uint32_t>(size), got)) {
    cursor.failed = true;
    return 0;
  }
  cursor.position += got;
  return got;
}

uLong ZCALLBACK WriteNothing(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK TellHeld(voidpf /*opaque*/, voidpf stream) { return Cursor(stream).position; }

long ZCALLBACK SeekHeld(voidpf /*opaque*/, voidpf stream, ZPOS64_T offset, int origin) {
  SZipCursor& cursor = Cursor(stream);
  switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET: cursor.position = offset; return 0;
    case ZLIB_FILEFUNC_SEEK_CUR: cursor.position += offset; return 0;
    case ZLIB_FILEFUNC_SEEK_END: cursor.position = cursor.package.Size() + offset; return 0;
    default: return -1;
  }
}

int ZCALLBACK CloseHeld(voidpf /*opaque*/, voidpf stream) {
  delete &Cursor(stream);
  return 0;
}

int ZCALLBACK HeldError(voidpf /*opaque*/, voidpf stream) { return Cursor(stream).failed ? 1 : 0; }

}  // namespace

unzFile OpenZipArchive(const CHeldPackage& package) {
  if (!package.IsHeld()) return nullptr;
  zlib_filefunc64_def functions = {};
  functions.zopen64_file = &OpenHeld;
  functions.zread_file = &ReadHeld;
  functions.zwrite_file = &WriteNothing;
  functions.ztell64_file = &TellHeld;
  functions.zseek64_file = &SeekHeld;
  functions.zclose_file = &CloseHeld;
  functions.zerror_file = &HeldError;
  functions.opaque = const_cast<CHeldPackage*>(&package);
  // The name is only handed back to OpenHeld, which does not look at it.
  return unzOpen2_64("held package", &functions);
}

}  // namespace corvane
