// Exact fractions: arithmetic in lowest terms, order, and decimals rounded half away from zero.
#include "Fraction.h"

#include <stdexcept>

namespace par {

Fraction::Fraction(int64_t value) : numerator_(value), denominator_(1)
{}

Fraction::Fraction(BigInt numerator, BigInt denominator)
{
    if (denominator.IsZero()) throw std::domain_error("fraction with a zero denominator");
    if (denominator.Sign() < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const BigInt divisor = BigInt::Gcd(numerator, denominator);
    numerator_ = numerator / divisor;
    denominator_ = denominator / divisor;
}

Fraction operator+(const Fraction& a, const Fraction& b)
{
    return {a.numerator_ * b.denominator_ + b.numerator_ * a.denominator_, a.denominator_ * b.denominator_};
}

Fraction operator-(const Fraction& a, const Fraction& b)
{
    return a + (-b);
}

Fraction operator*(const Fraction& a, const Fraction& b)
{
    return {a.numerator_ * b.numerator_, a.denominator_ * b.denominator_};
}

Fraction operator/(const Fraction& a, const Fraction& b)
{
    return {a.numerator_ * b.denominator_, a.denominator_ * b.numerator_};
}

Fraction Fraction::operator-() const
{
    Fraction result = *this;
    result.numerator_ = -numerator_;
    return result;
}

std::strong_ordering operator<=>(const Fraction& a, const Fraction& b)
{
    // Denominators are positive, so cross-multiplying keeps the order.
    return a.numerator_ * b.denominator_ <=> b.numerator_ * a.denominator_;
}

std::string Fraction::ToString() const
{
    if (denominator_ == BigInt(1)) return numerator_.ToString();
    return numerator_.ToString() + "/" + denominator_.ToString();
}

std::string Fraction::ToDecimal(int places) const
{
    if (places < 0) places = 0;
    BigInt scale(1);
    for (int i = 0; i < places; ++i) scale = scale * BigInt(10);
    // round(|n| × scale / d) = floor((2 |n| scale + d) / 2d)
    const BigInt scaled = (BigInt(2) * numerator_.Abs() * scale + denominator_) / (BigInt(2) * denominator_);
    std::string digits = scaled.ToString();
    if (static_cast<int>(digits.size()) <= places)
        digits.insert(0, static_cast<size_t>(places) + 1 - digits.size(), '0');
    std::string text = numerator_.Sign() < 0 && !scaled.IsZero() ? "-" : "";
    text += digits.substr(0, digits.size() - static_cast<size_t>(places));
    // GCC 12 at -O3 sees overlapping copies inside std::string's operator+
    // here, a false -Wrestrict (GCC bug 105329).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
    if (places > 0) text += "." + digits.substr(digits.size() - static_cast<size_t>(places));
#pragma GCC diagnostic pop
    return text;
}

}  // namespace par
