// The product's web page and the service mail of the help menu: two addresses kept in the
// settings store (an administrator sets them; the program never writes them).
#pragma once

#include <string>
#include <string_view>

namespace kardo {

extern std::string gWebAdresse;     // web page ("WebAdresse"), "" when none; ResetWebLinks
extern std::string gServiceAdresse; // service mail address ("ServiceAdresse"), "" when none;
                                    // ResetWebLinks

// The subject the service mail opens with.
inline constexpr std::string_view kServiceSubject = "KARDO-Service: <Bitte hier Betreff einfügen>";

// Both addresses empty.
void ResetWebLinks();
// Reads both addresses from the settings store under the program key; a missing value is "".
void LoadWebLinks();

// Percent-encodes everything but the unreserved characters (letters, digits, "-._~").
std::string PercentEncode(std::string_view text);

// "mailto:" + address + "?subject=" + the encoded subject; an address that already starts with
// "mailto:" keeps it once.
std::string ServiceMailUrl(std::string_view address);

} // namespace kardo
