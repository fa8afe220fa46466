// Streams: the generic TStream helpers (exact reads and writes, copying, typed values), the
// memory streams, and TFileStream over a POSIX file descriptor.
#include "platform/rtl/Streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <system_error>

#include "platform/rtl/Exceptions.h"

namespace kel {

namespace {

String SystemReason(int error) { return std::error_code(error, std::generic_category()).message(); }

[[noreturn]] void InvalidPosition() { throw EStreamError("Invalid stream position"); }

}  // namespace

// --- TStream ----------------------------------------------------------------------------------

Int64 TStream::Size() {
  const Int64 position = Seek(0, soCurrent);
  const Int64 size = Seek(0, soEnd);
  Seek(position, soBeginning);
  return size;
}

void TStream::ReadBuffer(void* Buffer, Int64 Count) {
  if (Count > 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, Int64 Count) {
  if (Count > 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

Int64 TStream::CopyFrom(TStream* Source, Int64 Count) {
  if (Count == 0) {
    Source->SetPosition(0);
    Count = Source->Size();
  }
  constexpr Int64 ChunkSize = 64 * 1024;
  std::vector<Byte> chunk(static_cast<std::size_t>(std::clamp<Int64>(Count, 0, ChunkSize)));
  for (Int64 left = Count; left > 0;) {
    const Int64 step = std::min(left, ChunkSize);
    Source->ReadBuffer(chunk.data(), step);
    WriteBuffer(chunk.data(), step);
    left -= step;
  }
  return Count;
}

void TStream::WriteString(const String& Value) {
  if (Value.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
    throw EWriteError("String too long for a stream");
  WriteValue(static_cast<std::int32_t>(Value.size()));
  WriteBuffer(Value.data(), static_cast<Int64>(Value.size()));
}

String TStream::ReadString() {
  const auto length = ReadValue<std::int32_t>();
  // A corrupt length must not turn into a huge allocation before the read fails.
  if (length < 0 || length > Size() - Position()) throw EReadError("Stream read error");
  String value(static_cast<std::size_t>(length), '\0');
  ReadBuffer(value.data(), length);
  return value;
}

String TStream::ReadToEnd() {
  const Int64 left = std::max<Int64>(Size() - Position(), 0);
  String value(static_cast<std::size_t>(left), '\0');
  ReadBuffer(value.data(), left);
  return value;
}

// --- TMemoryStream ----------------------------------------------------------------------------

Int64 TMemoryStream::Read(void* Buffer, Int64 Count) {
  const Int64 available = Size() - FPosition;
  if (Count <= 0 || available <= 0) return 0;
  const Int64 copied = std::min(Count, available);
  std::memcpy(Buffer, FData.data() + FPosition, static_cast<std::size_t>(copied));
  FPosition += copied;
  return copied;
}

Int64 TMemoryStream::Write(const void* Buffer, Int64 Count) {
  if (Count <= 0) return 0;
  const Int64 end = FPosition + Count;
  if (end > Size()) FData.resize(static_cast<std::size_t>(end));
  std::memcpy(FData.data() + FPosition, Buffer, static_cast<std::size_t>(Count));
  FPosition = end;
  return Count;
}

Int64 TMemoryStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  const Int64 base = Origin == soBeginning ? 0 : Origin == soCurrent ? FPosition : Size();
  const Int64 position = base + Offset;
  if (position < 0) InvalidPosition();
  FPosition = position;
  return FPosition;
}

void TMemoryStream::SetSize(Int64 NewSize) {
  if (NewSize < 0) throw EStreamError("Invalid stream size");
  FData.resize(static_cast<std::size_t>(NewSize));
  FPosition = std::min(FPosition, NewSize);
}

void TMemoryStream::Clear() {
  FData.clear();
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
  Stream->SetPosition(0);
  TBytes data(static_cast<std::size_t>(Stream->Size()));
  Stream->ReadBuffer(data.data(), static_cast<Int64>(data.size()));
  FData.swap(data);
  FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream* Stream) {
  Stream->WriteBuffer(FData.data(), Size());
}

void TMemoryStream::LoadFromFile(const String& FileName) {
  TFileStream file(FileName, fmOpenRead);
  LoadFromStream(&file);
}

void TMemoryStream::SaveToFile(const String& FileName) {
  TFileStream file(FileName, fmCreate);
  SaveToStream(&file);
}

// --- TFileStream ------------------------------------------------------------------------------

TFileStream::TFileStream(const String& FileName, std::uint16_t Mode) : FFileName(FileName) {
  const bool create = (Mode & fmCreate) == fmCreate;
  const int access = create                               ? O_RDWR | O_CREAT | O_TRUNC
                     : (Mode & 3) == fmOpenWrite          ? O_WRONLY
                     : (Mode & 3) == fmOpenReadWrite      ? O_RDWR
                                                          : O_RDONLY;
  FHandle = ::open(FileName.c_str(), access | O_CLOEXEC, 0666);
  int error = errno;
  struct stat info {};
  if (FHandle >= 0 && ::fstat(FHandle, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(FHandle);
    FHandle = -1;
    error = EISDIR;
  }
  if (FHandle >= 0) return;
  const String reason = "\"" + FileName + "\". " + SystemReason(error);
  if (create) throw EFCreateError("Cannot create file " + reason);
  throw EFOpenError("Cannot open file " + reason);
}

TFileStream::~TFileStream() { ::close(FHandle); }

Int64 TFileStream::Read(void* Buffer, Int64 Count) {
  Int64 done = 0;
  while (done < Count) {
    const ssize_t step = ::read(FHandle, static_cast<char*>(Buffer) + done,
                                static_cast<std::size_t>(Count - done));
    if (step < 0 && errno == EINTR) continue;
    if (step <= 0) break;
    done += step;
  }
  return done;
}

Int64 TFileStream::Write(const void* Buffer, Int64 Count) {
  Int64 done = 0;
  while (done < Count) {
    const ssize_t step = ::write(FHandle, static_cast<const char*>(Buffer) + done,
                                 static_cast<std::size_t>(Count - done));
    if (step < 0 && errno == EINTR) continue;
    if (step <= 0) break;
    done += step;
  }
  return done;
}

Int64 TFileStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  const int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
  const off_t position = ::lseek(FHandle, static_cast<off_t>(Offset), whence);
  if (position < 0) InvalidPosition();
  return position;
}

void TFileStream::SetSize(Int64 NewSize) {
  if (NewSize < 0) throw EStreamError("Invalid stream size");
  if (::ftruncate(FHandle, static_cast<off_t>(NewSize)) != 0)
    throw EStreamError("Cannot change the size of \"" + FFileName + "\". " + SystemReason(errno));
  if (Position() > NewSize) Seek(0, soEnd);
}

}  // namespace kel
