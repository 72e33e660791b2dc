// Numbers to text and back in one exact form, whatever the process locale says.
//
// The desktop toolkits set the locale from the environment at start-up, and an Italian
// LC_NUMERIC would turn the decimal point of printf and atof into a comma. The files we read
// and write are exchanged between programs that compare bytes, so nothing here consults it.
#pragma once

#include "Types.h"

#include <cstddef>
#include <string>
#include <string_view>

// atof's C89 grammar: leading white space, an optional sign, digits with an optional point,
// an optional exponent. Stops at the first character that cannot continue the number; 0.0 when
// nothing converts. No hexadecimal, "inf" or "nan" forms. Overflow gives +-infinity, underflow
// a subnormal or a signed zero, as strtod does.
double AtoF(std::string_view text);
// The same, with the number of characters the conversion took (white space before the number
// included; 0 when nothing converts).
double AtoF(std::string_view text, size_t& nUsed);

// "%e": sign, one digit, a point, six digits, 'e', the exponent's sign and at least three
// exponent digits. Not-a-number and infinities take the forms the Windows runtime prints:
// "1.#INF00e+000", "-1.#INF00e+000", "1.#QNAN0e+000".
void AppendExponent(std::string& out, double value);
std::string FormatExponent(double value);

// "%.*f": a finite value with nDecimals digits after the point (0 to 17), rounded to nearest.
void AppendFixed(std::string& out, double value, int nDecimals);

// "%i" and "%u".
void AppendInteger(std::string& out, long long value);
void AppendUnsigned(std::string& out, unsigned long long value);

// Conversion toward zero to a signed 32-bit integer. Values out of range and non-finite
// values give INT32_MIN, as the x87 conversion of the 32-bit target does.
INT32 TruncateToInt32(double value);
