#pragma once

#include <string>
#include <string_view>

// Texts quoted for the formats the web reads: JSON strings and HTML. Both take
// UTF-8; the model's Windows-1252 texts are converted first (Cp1252::ToUtf8).
namespace WebText {

// A JSON string in double quotes. "<" is written as \u003c, so the text may
// stand inside an HTML script element without ending it.
std::string Json(std::string_view utf8);

// Text for HTML element content and attribute values in double quotes.
std::string Html(std::string_view utf8);

} // namespace WebText
