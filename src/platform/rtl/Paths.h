// File names and the file system: taking a path apart, testing and creating directories, and
// the running program's own name. Paths are POSIX ("/" separates directories); an extension is
// the part of the last name from its last "." on.
#pragma once

#include "platform/rtl/Types.h"

namespace kel {

inline constexpr char PathDelim = '/';

// Absolute path of the running executable (from /proc/self/exe).
String ExeName();

// FileName with its extension replaced by Extension (which includes its "."), or added when
// the name has none.
String ChangeFileExt(const String& FileName, const String& Extension);
// The extension of the last name, with its "."; empty when there is none.
String ExtractFileExt(const String& FileName);
// The last name of the path (after the last "/").
String ExtractFileName(const String& FileName);
// The directory part of the path including its trailing "/"; empty when there is none.
String ExtractFilePath(const String& FileName);
String IncludeTrailingPathDelimiter(const String& Path);

// True for an existing entry that is not a directory (symbolic links are followed).
bool FileExists(const String& FileName);
bool DirectoryExists(const String& Directory);
// Creates Directory with every missing parent; true when it exists afterwards.
bool ForceDirectories(const String& Directory);
// $TMPDIR, or /tmp when unset, with a trailing "/".
String GetTempDirectory();

}  // namespace kel
