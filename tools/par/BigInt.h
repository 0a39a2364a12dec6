// Integers of any size, for the analysis tool's exact figures.
#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <vector>

namespace par {

// A signed integer of any size: the exact meter chain works with
// denominators far beyond 128 bits. Only what the analysis needs, written for
// clarity rather than speed.
class BigInt {
public:
    BigInt() = default;
    BigInt(int64_t value);  // NOLINT: numbers convert implicitly, as built-in ones do
    static BigInt FromUnsigned(uint64_t value);

    bool IsZero() const { return magnitude_.empty(); }
    int Sign() const { return IsZero() ? 0 : (negative_ ? -1 : 1); }
    BigInt Abs() const;
    BigInt operator-() const;

    friend BigInt operator+(const BigInt& a, const BigInt& b);
    friend BigInt operator-(const BigInt& a, const BigInt& b);
    friend BigInt operator*(const BigInt& a, const BigInt& b);
    // Truncating toward zero; the remainder takes the dividend's sign.
    // Division by zero throws std::domain_error.
    friend BigInt operator/(const BigInt& a, const BigInt& b);
    friend BigInt operator%(const BigInt& a, const BigInt& b);
    static void DivMod(const BigInt& a, const BigInt& b, BigInt& quotient, BigInt& remainder);

    friend bool operator==(const BigInt& a, const BigInt& b) = default;
    friend std::strong_ordering operator<=>(const BigInt& a, const BigInt& b);

    // Greatest common divisor, never negative; Gcd(0, 0) is 0.
    static BigInt Gcd(BigInt a, BigInt b);

    // Decimal digits with a leading "-" when negative.
    std::string ToString() const;

private:
    using Limbs = std::vector<uint32_t>;  // least significant first, no leading zeros

    static void Trim(Limbs& limbs);
    static int CompareMagnitude(const Limbs& a, const Limbs& b);
    static Limbs AddMagnitude(const Limbs& a, const Limbs& b);
    static Limbs SubtractMagnitude(const Limbs& a, const Limbs& b);  // needs a >= b
    static Limbs MultiplyMagnitude(const Limbs& a, const Limbs& b);
    static void DivModMagnitude(const Limbs& a, const Limbs& b, Limbs& quotient, Limbs& remainder);
    static uint32_t DivModSmall(Limbs& a, uint32_t divisor);  // a becomes the quotient
    static BigInt FromParts(bool negative, Limbs magnitude);

    bool negative_ = false;  // never set for zero, so == compares values
    Limbs magnitude_;
};

}  // namespace par
