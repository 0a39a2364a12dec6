// Exact fractions of big integers, for the analysis tool's figures.
#pragma once

#include <string>

#include "BigInt.h"

namespace par {

// An exact fraction in lowest terms with a positive denominator.
class Fraction {
public:
    Fraction() = default;
    Fraction(int64_t value);                         // NOLINT: whole numbers convert implicitly
    Fraction(BigInt numerator, BigInt denominator);  // throws std::domain_error on a zero denominator

    const BigInt& Numerator() const { return numerator_; }
    const BigInt& Denominator() const { return denominator_; }
    bool IsZero() const { return numerator_.IsZero(); }

    friend Fraction operator+(const Fraction& a, const Fraction& b);
    friend Fraction operator-(const Fraction& a, const Fraction& b);
    friend Fraction operator*(const Fraction& a, const Fraction& b);
    friend Fraction operator/(const Fraction& a, const Fraction& b);
    Fraction operator-() const;
    Fraction& operator+=(const Fraction& b) { return *this = *this + b; }

    friend bool operator==(const Fraction& a, const Fraction& b) = default;
    friend std::strong_ordering operator<=>(const Fraction& a, const Fraction& b);

    // "n/d", or "n" for a whole number.
    std::string ToString() const;
    // Rounded half away from zero to the given number of decimal places.
    std::string ToDecimal(int places) const;

private:
    BigInt numerator_{0};
    BigInt denominator_{1};
};

}  // namespace par
