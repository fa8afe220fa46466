#include "platform/rtl/Streams.h"

#include <gtest/gtest.h>

#include <memory>

#include "ErrorOf.h"
#include "TempDirectory.h"
#include "platform/rtl/Exceptions.h"

namespace kel {
namespace {

using testing_support::TTempDirectory;

using testing_support::ErrorOf;

String ReadText(TStream& stream, Int64 count) {
  String text(static_cast<std::size_t>(count), '\0');
  text.resize(static_cast<std::size_t>(stream.Read(text.data(), count)));
  return text;
}

void WriteText(TStream& stream, const String& text) {
  stream.WriteBuffer(text.data(), static_cast<Int64>(text.size()));
}

// The same behaviour is expected of every kind of stream.
enum StreamKind { skMemory, skFile };

class StreamBehaviour : public ::testing::TestWithParam<StreamKind> {
 protected:
  std::unique_ptr<TStream> NewStream() {
    if (GetParam() == skMemory) return std::make_unique<TMemoryStream>();
    return std::make_unique<TFileStream>(FDirectory.File("stream.bin"), fmCreate);
  }

  TTempDirectory FDirectory;
};

TEST_P(StreamBehaviour, ReadWriteAndSeek) {
  auto stream = NewStream();
  WriteText(*stream, "hello world");
  EXPECT_EQ(stream->Position(), 11);
  EXPECT_EQ(stream->Size(), 11);

  const struct {
    Int64 Offset;
    TSeekOrigin Origin;
    Int64 Position;   // after the seek
    Int64 ReadCount;  // bytes asked for
    const char* Read; // bytes obtained
  } steps[] = {
      {1, soBeginning, 1, 4, "ello"}, {-5, soEnd, 6, 3, "wor"}, {-4, soCurrent, 5, 2, " w"},
      {20, soBeginning, 20, 1, ""},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.Read);
    EXPECT_EQ(stream->Seek(step.Offset, step.Origin), step.Position);
    EXPECT_EQ(ReadText(*stream, step.ReadCount), step.Read);
  }
  EXPECT_EQ(stream->Size(), 11);  // seeking past the end does not grow the stream
}

TEST_P(StreamBehaviour, WritingPastTheEndFillsTheGapWithZeros) {
  auto stream = NewStream();
  WriteText(*stream, "ab");
  stream->SetPosition(4);
  WriteText(*stream, "c");
  EXPECT_EQ(stream->Size(), 5);
  stream->SetPosition(0);
  EXPECT_EQ(ReadText(*stream, 10), String("ab\0\0c", 5));
}

TEST_P(StreamBehaviour, SetSizeTruncatesAndExtends) {
  auto stream = NewStream();
  WriteText(*stream, "abcdef");
  stream->SetSize(3);
  EXPECT_EQ(stream->Size(), 3);
  EXPECT_EQ(stream->Position(), 3);  // clamped to the new end
  stream->SetSize(5);
  stream->SetPosition(0);
  EXPECT_EQ(ReadText(*stream, 10), String("abc\0\0", 5));
  EXPECT_THROW(stream->SetSize(-1), EStreamError);
  EXPECT_EQ(stream->Size(), 5);
}

TEST_P(StreamBehaviour, SeekAndReadErrors) {
  auto stream = NewStream();
  WriteText(*stream, "abc");
  stream->SetPosition(1);
  EXPECT_EQ(ErrorOf<EStreamError>([&] { stream->Seek(-2, soCurrent); }), "Invalid stream position");
  EXPECT_EQ(ErrorOf<EStreamError>([&] { stream->SetPosition(-1); }), "Invalid stream position");
  EXPECT_EQ(stream->Position(), 1);
  char buffer[8];
  EXPECT_EQ(ErrorOf<EReadError>([&] { stream->ReadBuffer(buffer, 3); }), "Stream read error");
  stream->ReadBuffer(buffer, 0);  // nothing asked, nothing to fail
}

TEST_P(StreamBehaviour, TypedValuesAndStringsRoundTrip) {
  enum TColourKind : std::uint8_t { ckRed, ckGreen, ckBlue };
  auto stream = NewStream();
  stream->WriteValue<std::int32_t>(-123456);
  stream->WriteValue<Int64>(Int64{1} << 40);
  stream->WriteValue(2.5);
  stream->WriteValue(ckBlue);
  stream->WriteString("Grüße");
  stream->WriteString("");
  stream->WriteValue<Byte>(7);
  EXPECT_EQ(stream->Size(), 4 + 8 + 8 + 1 + (4 + 7) + 4 + 1);

  stream->SetPosition(0);
  EXPECT_EQ(stream->ReadValue<std::int32_t>(), -123456);
  EXPECT_EQ(stream->ReadValue<Int64>(), Int64{1} << 40);
  EXPECT_EQ(stream->ReadValue<double>(), 2.5);
  EXPECT_EQ(stream->ReadValue<TColourKind>(), ckBlue);
  EXPECT_EQ(stream->ReadString(), "Grüße");
  EXPECT_EQ(stream->ReadString(), "");
  EXPECT_EQ(stream->ReadValue<Byte>(), 7);
  EXPECT_THROW(stream->ReadValue<Byte>(), EReadError);
}

TEST_P(StreamBehaviour, CorruptStringLengthsRaise) {
  const std::int32_t lengths[] = {-1, 0x7FFFFFFF};
  for (std::int32_t length : lengths) {
    SCOPED_TRACE(length);
    auto stream = NewStream();
    stream->WriteValue(length);
    WriteText(*stream, "abc");
    stream->SetPosition(0);
    EXPECT_EQ(ErrorOf<EReadError>([&] { stream->ReadString(); }), "Stream read error");
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, StreamBehaviour, ::testing::Values(skMemory, skFile),
                         [](const auto& info) {
                           return String(info.param == skMemory ? "Memory" : "File");
                         });

// --- Memory streams --------------------------------------------------------------------------

// --- File streams ----------------------------------------------------------------------------

TEST(FileStream, ReadOnlyRefusesWritesAndCreateTruncates) {
  TTempDirectory directory;
  const String path = directory.File("modes.txt");
  {
    TFileStream create(path, fmCreate);
    WriteText(create, "original");
  }
  {
    TFileStream reader(path, fmOpenRead);
    EXPECT_EQ(ReadText(reader, 100), "original");
    EXPECT_EQ(ErrorOf<EWriteError>([&] { WriteText(reader, "x"); }), "Stream write error");
  }
  TFileStream truncated(path, fmCreate);
  EXPECT_EQ(truncated.Size(), 0);
}

TEST(FileStream, OpenErrorsNameTheFileAndTheReason) {
  TTempDirectory directory;
  const String inMissingDirectory = directory.File("no/such/dir.txt");
  EXPECT_EQ(ErrorOf<EFCreateError>([&] { TFileStream stream(inMissingDirectory, fmCreate); }),
            "Cannot create file \"" + inMissingDirectory + "\". No such file or directory");
}

}  // namespace
}  // namespace kel
