// Byte streams: the abstract `TStream`, streams over memory (`TMemoryStream`, `TBytesStream`,
// `TStringStream`) and over a file (`TFileStream`).
//
// A descendant implements Read, Write, Seek and SetSize; Read and Write answer how many bytes
// they moved, and ReadBuffer/WriteBuffer turn a short count into EReadError/EWriteError. Typed
// values are stored in the machine's (little-endian) byte order; strings as a 32-bit byte
// count followed by their UTF-8 bytes.
#pragma once

#include <type_traits>
#include <vector>

#include "platform/classes/Object.h"
#include "platform/rtl/Types.h"

namespace kel {

using TBytes = std::vector<Byte>;

enum TSeekOrigin : std::uint8_t { soBeginning, soCurrent, soEnd };

// File stream modes. fmCreate creates or truncates the file and opens it for reading and writing.
inline constexpr std::uint16_t fmOpenRead = 0x0000;
inline constexpr std::uint16_t fmOpenWrite = 0x0001;
inline constexpr std::uint16_t fmOpenReadWrite = 0x0002;
inline constexpr std::uint16_t fmCreate = 0xFF00;

class TStream : public TObject {
  KEL_CLASS(TStream, TObject)

 public:
  // Copies up to Count bytes from the position into Buffer; answers the number copied.
  virtual Int64 Read(void* Buffer, Int64 Count) = 0;
  // Copies Count bytes from Buffer at the position; answers the number written.
  virtual Int64 Write(const void* Buffer, Int64 Count) = 0;
  // Moves the position; answers the new position. A position before the start raises
  // EStreamError; one past the end is allowed (a later write fills the gap with zeros).
  virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;
  virtual Int64 Size();
  virtual void SetSize(Int64 NewSize) = 0;

  Int64 Position() { return Seek(0, soCurrent); }
  void SetPosition(Int64 Value) { Seek(Value, soBeginning); }

  // Exactly Count bytes or EReadError "Stream read error" / EWriteError "Stream write error".
  void ReadBuffer(void* Buffer, Int64 Count);
  void WriteBuffer(const void* Buffer, Int64 Count);
  // Copies Count bytes from Source's position; Count 0 copies all of Source from its start.
  // Answers the number of bytes copied.
  Int64 CopyFrom(TStream* Source, Int64 Count);

  template <typename T>
    requires std::is_arithmetic_v<T> || std::is_enum_v<T>
  void WriteValue(T Value) {
    WriteBuffer(&Value, sizeof Value);
  }
  template <typename T>
    requires std::is_arithmetic_v<T> || std::is_enum_v<T>
  T ReadValue() {
    T value{};
    ReadBuffer(&value, sizeof value);
    return value;
  }
  // A 32-bit byte count, then the bytes.
  void WriteString(const String& Value);
  String ReadString();
  // The bytes from the position to the end.
  String ReadToEnd();
};

// A growable block of memory.
class TMemoryStream : public TStream {
  KEL_CLASS(TMemoryStream, TStream)

 public:
  TMemoryStream() = default;

  Int64 Read(void* Buffer, Int64 Count) override;
  Int64 Write(const void* Buffer, Int64 Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  Int64 Size() override { return static_cast<Int64>(FData.size()); }
  // A position past a shortened end moves to the new end.
  void SetSize(Int64 NewSize) override;

  // The stream's bytes; valid until the next change of size.
  Byte* Memory() { return FData.data(); }
  const Byte* Memory() const { return FData.data(); }
  void Clear();
  // Replaces the contents with all of Stream (from its start) and rewinds.
  void LoadFromStream(TStream* Stream);
  // Writes all contents at Stream's position.
  void SaveToStream(TStream* Stream);
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);

 protected:
  TBytes FData;        // the contents; size() is the stream size
  Int64 FPosition = 0;  // next byte to read or write, >= 0, may exceed the size
};

// A memory stream that starts from, and exposes, a byte array.
class TBytesStream : public TMemoryStream {
  KEL_CLASS(TBytesStream, TMemoryStream)

 public:
  TBytesStream() = default;
  explicit TBytesStream(TBytes Bytes) { FData = std::move(Bytes); }
  const TBytes& Bytes() const { return FData; }
};

// A memory stream that starts from, and exposes, a UTF-8 string.
class TStringStream : public TBytesStream {
  KEL_CLASS(TStringStream, TBytesStream)

 public:
  TStringStream() = default;
  explicit TStringStream(const String& Data) : TBytesStream(TBytes(Data.begin(), Data.end())) {}
  String DataString() const { return String(FData.begin(), FData.end()); }
};

// A stream on an open file. Opening fails with EFOpenError "Cannot open file "<name>". <reason>";
// fmCreate fails with EFCreateError "Cannot create file "<name>". <reason>".
class TFileStream : public TStream {
  KEL_CLASS(TFileStream, TStream)

 public:
  TFileStream(const String& FileName, std::uint16_t Mode);
  ~TFileStream() override;

  Int64 Read(void* Buffer, Int64 Count) override;
  Int64 Write(const void* Buffer, Int64 Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  void SetSize(Int64 NewSize) override;

  const String& FileName() const { return FFileName; }

 private:
  String FFileName;   // as given to the constructor
  int FHandle = -1;   // the open file descriptor
};

}  // namespace kel
