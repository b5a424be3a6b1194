#pragma once

#include <string>
#include <string_view>

// Texts inside the model are Windows-1252 byte strings. These helpers convert at
// the edges (widgets, terminal, file names) and upper-case by Windows-1252 rules.
namespace Cp1252 {

// Windows-1252 bytes to UTF-8. The five undefined codes map to U+FFFD.
std::string ToUtf8(std::string_view cp1252);

// UTF-8 to Windows-1252; characters without a Windows-1252 form become '?'.
// Invalid UTF-8 bytes also become '?'.
std::string FromUtf8(std::string_view utf8);

// The first character of a UTF-8 text that has no Windows-1252 form; U+FFFD
// for bytes that are not UTF-8; 0 when every character has one, so that
// FromUtf8 would change nothing.
char32_t FirstWithoutForm(std::string_view utf8);
// "U+65E5": a character named in a message that cannot show it.
std::string CodePointName(char32_t u);
// One character as UTF-8.
std::string Utf8Of(char32_t u);

// The Unicode code point of one Windows-1252 byte (0xFFFD for undefined codes).
char32_t ToUnicode(unsigned char c);

// The Windows-1252 byte of a code point, or '?' when it has none.
char FromUnicode(char32_t u);

// Capitals by Windows-1252 rules: a..z, the accented small letters (ä -> Ä),
// and also š -> Š, œ -> Œ, ÿ -> Ÿ. ß and µ stay as they are.
char ToUpper(char c);
std::string ToUpper(std::string_view cp1252);

} // namespace Cp1252

// A German text written in UTF-8 source, as the Windows-1252 bytes the model uses.
inline std::string W(std::string_view utf8) {
    return Cp1252::FromUtf8(utf8);
}
