#include "FltRealText.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

// Powers of ten up to 10^9, exact in a double.
constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
// 10^e for the exponents of the plain form, -4 to 5, from the top.
constexpr double kExponentFloors[] = {1e5, 1e4, 1e3, 1e2, 1e1, 1e0, 1e-1, 1e-2, 1e-3};

char* writeGeneral(char* out, double value)
{
    return std::to_chars(out, out + kFltLongestRealText, value, std::chars_format::general, 6).ptr;
}

// Six significant digits of a magnitude written without an exponent, from
// one multiplication and one rounding; false where that might not give the
// correctly rounded digits (a tie or near one, or at the edges of the range),
// which the general path then writes.
bool sixDigits(double magnitude, int& exponent, uint32_t& digits)
{
    // The plain form covers rounded values from 1e-4 up to, not including, 1e6.
    if (!(magnitude >= 1e-4 && magnitude < 999999.4))
        return false;
    exponent = 5;
    for (double floor : kExponentFloors) {
        if (magnitude >= floor)
            break;
        --exponent;
    }
    const double scaled = magnitude * kPowersOfTen[5 - exponent];
    // The product is within a few units of 1e-11 of the exact one: a
    // fraction that far from one half rounds the same either way.
    const uint32_t whole = static_cast<uint32_t>(scaled); // below 10^7: truncation is the floor
    const double fraction = scaled - whole;
    if (fraction > 0.5 - 1e-6 && fraction < 0.5 + 1e-6)
        return false;
    digits = whole + (fraction > 0.5 ? 1 : 0);
    if (digits < 100000 || digits > 999999)
        return false;
    return true;
}

} // namespace

char* writeFltRealText(char* out, double value)
{
    int exponent = 0;
    uint32_t digits = 0;
    if (!sixDigits(std::fabs(value), exponent, digits))
        return writeGeneral(out, value);
    // Two digits at a time, from a table.
    static constexpr char pairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                    "8081828384858687888990919293949596979899";
    char text[6];
    for (int i = 4; i >= 0; i -= 2, digits /= 100) {
        text[i] = pairs[2 * (digits % 100)];
        text[i + 1] = pairs[2 * (digits % 100) + 1];
    }
    int last = 5; // trailing zeros of the fraction are not written
    while (last > 0 && last > exponent && text[last] == '0')
        --last;
    if (std::signbit(value))
        *out++ = '-';
    if (exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        for (int zero = -1; zero > exponent; --zero)
            *out++ = '0';
        for (int i = 0; i <= last; ++i)
            *out++ = text[i];
        return out;
    }
    for (int i = 0; i <= last; ++i) {
        if (i == exponent + 1)
            *out++ = '.';
        *out++ = text[i];
    }
    return out;
}
