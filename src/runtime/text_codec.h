// Text encodings of stored files: templates are Windows-1252 on disk, the program works
// in UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace runtime {

bool IsValidUtf8(std::string_view bytes);
// Windows-1252 bytes to UTF-8 (the five unassigned bytes map to U+FFFD).
std::string Cp1252ToUtf8(std::string_view bytes);
// UTF-8 to Windows-1252; characters the code page lacks become "?".
std::string Utf8ToCp1252(std::string_view utf8);
// A file's text as UTF-8: kept when it is valid UTF-8, otherwise read as Windows-1252.
std::string FileTextToUtf8(std::string_view bytes);

}  // namespace runtime
