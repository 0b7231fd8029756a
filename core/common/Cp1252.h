#pragma once
// Windows-1252, the code page of every text file and binary string this
// system shares with others. In memory, text is UTF-8.

#include <string>
#include <string_view>

namespace vastrel {

// Characters without a Windows-1252 code become '?' (EncodableInCp1252 tells
// beforehand whether any would); a byte that is not part of well-formed
// UTF-8 is taken to be Windows-1252 already and passes unchanged.
std::string Utf8ToCp1252(std::string_view utf8);
std::string Cp1252ToUtf8(std::string_view bytes);

// True when the bytes are well-formed UTF-8 holding at least one non-ASCII
// character (a file saved by a modern editor rather than in Windows-1252).
bool LooksLikeUtf8(std::string_view bytes);

// True when every character of the text has a Windows-1252 code, so that
// Utf8ToCp1252 loses nothing.
bool EncodableInCp1252(std::string_view utf8);

// Well-formed UTF-8: valid sequences are kept, and every byte that is not
// part of one is read as the Windows-1252 character it most likely is.
std::string RepairUtf8(std::string_view bytes);

// Upper-case folding for case-insensitive matching of section and key
// names: ASCII letters and the Latin-1 accented letters.
std::string FoldCase(std::string_view utf8);

} // namespace vastrel
