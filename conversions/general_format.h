// printf's "%.<precision>g" for doubles, written out here so that every build gives the same bytes whatever its C
// library does, with the conventions of the Windows C runtime that the program's users see everywhere else:
//
//   - digits come from the exact binary value, rounded half away from zero (1000000000000.5 at 13 digits gives
//     "1000000000001");
//   - the exponent has at least three digits: "1e+020", "1e-005", "1.797693134862e+308";
//   - trailing zeros of the fraction, and a bare ".", are removed; negative zero keeps its sign ("-0");
//   - the non-finite values keep that C runtime's spellings: "1.#INF" and "-1.#INF" for the infinities,
//     "1.#QNAN" for a not-a-number without sign bit and "-1.#IND" for one with it (the indefinite value that
//     invalid operations produce).
#pragma once

#include <string>

namespace quarrow {

std::string FormatGeneral(double value, int precision);

// The C runtime's spelling of a non-finite value, or null for a finite one.
const char* NonFiniteSpelling(double value);

}  // namespace quarrow
