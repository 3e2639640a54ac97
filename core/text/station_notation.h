// Stations and numbers as a road designer types them on the command line, and
// the station texts of ravo-calc's output.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace ravo {

// A text on the command line that is not a number of the kind asked for. The
// message quotes the text and says what was expected.
class NotationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A plain decimal number: an optional minus sign, digits with at most one
// point ("12", "12.", ".5", "-0.25"), and an optional exponent ("1e3",
// "2.5E-2"). Blanks around it are ignored. Throws NotationError for anything
// else ("", "abc", "12abc", "+5", "inf") and for a number too large or too
// small for a double.
double ParsePlainNumber(std::string_view text);

// A station: a plain number, or road-station notation, hundreds "+" two digits
// with an optional fraction: "12+34.56" is 1234.56, "0+05" is 5, "-0+50" is
// -50 (the sign belongs to the whole station). Throws NotationError for a
// malformed text ("12+", "+34", "12+3", "1+2+3", "12+34.5.6", letters). A
// plain number with an exponent is a number, its "+" the exponent's sign
// ("1e+05" is 100000). Texts of any length are read without recursion.
double ParseStation(std::string_view text);

// A station as ravo-calc prints it, rounded to three decimals with halves away
// from zero: "1234.560" ("#####0.000", as the desktop program shows it), or in
// road-station notation "12+34.560" when plusNotation is set ("0+05.500",
// "-0+50.000"). Throws ravo::OverflowError for a value that is not finite.
std::string StationText(double station, bool plusNotation);

}  // namespace ravo
