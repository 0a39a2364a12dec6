// Arithmetic on integers of any size: 32-bit limbs, long division by Knuth's algorithm D, and
// decimal output.
#include "BigInt.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

namespace par {

BigInt::BigInt(int64_t value)
{
    negative_ = value < 0;
    // Negating through unsigned arithmetic keeps INT64_MIN defined.
    uint64_t magnitude = negative_ ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    while (magnitude != 0) {
        magnitude_.push_back(static_cast<uint32_t>(magnitude));
        magnitude >>= 32;
    }
}

BigInt BigInt::FromUnsigned(uint64_t value)
{
    Limbs limbs;
    while (value != 0) {
        limbs.push_back(static_cast<uint32_t>(value));
        value >>= 32;
    }
    return FromParts(false, std::move(limbs));
}

BigInt BigInt::FromParts(bool negative, Limbs magnitude)
{
    Trim(magnitude);
    BigInt result;
    result.negative_ = negative && !magnitude.empty();
    result.magnitude_ = std::move(magnitude);
    return result;
}

void BigInt::Trim(Limbs& limbs)
{
    while (!limbs.empty() && limbs.back() == 0) limbs.pop_back();
}

int BigInt::CompareMagnitude(const Limbs& a, const Limbs& b)
{
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (size_t i = a.size(); i-- > 0;) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}

BigInt::Limbs BigInt::AddMagnitude(const Limbs& a, const Limbs& b)
{
    Limbs sum(std::max(a.size(), b.size()) + 1, 0);
    uint64_t carry = 0;
    for (size_t i = 0; i + 1 < sum.size(); ++i) {
        const uint64_t x = i < a.size() ? a[i] : 0;
        const uint64_t y = i < b.size() ? b[i] : 0;
        const uint64_t s = x + y + carry;
        sum[i] = static_cast<uint32_t>(s);
        carry = s >> 32;
    }
    sum.back() = static_cast<uint32_t>(carry);
    Trim(sum);
    return sum;
}

BigInt::Limbs BigInt::SubtractMagnitude(const Limbs& a, const Limbs& b)
{
    Limbs difference(a.size(), 0);
    int64_t borrow = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        int64_t d = static_cast<int64_t>(a[i]) - borrow - (i < b.size() ? static_cast<int64_t>(b[i]) : 0);
        borrow = d < 0 ? 1 : 0;
        if (d < 0) d += int64_t{1} << 32;
        difference[i] = static_cast<uint32_t>(d);
    }
    Trim(difference);
    return difference;
}

BigInt::Limbs BigInt::MultiplyMagnitude(const Limbs& a, const Limbs& b)
{
    if (a.empty() || b.empty()) return {};
    Limbs product(a.size() + b.size(), 0);
    for (size_t i = 0; i < a.size(); ++i) {
        uint64_t carry = 0;
        for (size_t j = 0; j < b.size(); ++j) {
            const uint64_t t = static_cast<uint64_t>(a[i]) * b[j] + product[i + j] + carry;
            product[i + j] = static_cast<uint32_t>(t);
            carry = t >> 32;
        }
        product[i + b.size()] = static_cast<uint32_t>(carry);
    }
    Trim(product);
    return product;
}

uint32_t BigInt::DivModSmall(Limbs& a, uint32_t divisor)
{
    uint64_t remainder = 0;
    for (size_t i = a.size(); i-- > 0;) {
        const uint64_t current = (remainder << 32) | a[i];
        a[i] = static_cast<uint32_t>(current / divisor);
        remainder = current % divisor;
    }
    Trim(a);
    return static_cast<uint32_t>(remainder);
}

void BigInt::DivModMagnitude(const Limbs& a, const Limbs& b, Limbs& quotient, Limbs& remainder)
{
    if (b.empty()) throw std::domain_error("division by zero");
    if (CompareMagnitude(a, b) < 0) {
        quotient.clear();
        remainder = a;
        return;
    }
    if (b.size() == 1) {
        quotient = a;
        const uint32_t r = DivModSmall(quotient, b[0]);
        remainder = r == 0 ? Limbs{} : Limbs{r};
        return;
    }
    // Knuth's algorithm D: one quotient limb per step, estimated from the
    // top limbs of the normalised operands and corrected at most twice.
    const size_t n = b.size();
    const size_t m = a.size() - n;
    const int shift = std::countl_zero(b.back());
    Limbs v(n);
    Limbs u(a.size() + 1);
    for (size_t i = n; i-- > 0;) {
        v[i] = (b[i] << shift) | (shift != 0 && i > 0 ? b[i - 1] >> (32 - shift) : 0);
    }
    u[a.size()] = shift != 0 ? a.back() >> (32 - shift) : 0;
    for (size_t i = a.size(); i-- > 0;) {
        u[i] = (a[i] << shift) | (shift != 0 && i > 0 ? a[i - 1] >> (32 - shift) : 0);
    }

    constexpr uint64_t Base = uint64_t{1} << 32;
    quotient.assign(m + 1, 0);
    for (size_t j = m + 1; j-- > 0;) {
        const uint64_t top = (static_cast<uint64_t>(u[j + n]) << 32) | u[j + n - 1];
        uint64_t qhat = top / v[n - 1];
        uint64_t rhat = top % v[n - 1];
        while (qhat >= Base || qhat * v[n - 2] > ((rhat << 32) | u[j + n - 2])) {
            --qhat;
            rhat += v[n - 1];
            if (rhat >= Base) break;
        }
        // u[j .. j+n] -= qhat × v
        int64_t borrow = 0;
        uint64_t carry = 0;
        for (size_t i = 0; i < n; ++i) {
            const uint64_t product = qhat * v[i] + carry;
            carry = product >> 32;
            const int64_t t = static_cast<int64_t>(u[i + j]) - borrow - static_cast<int64_t>(product & 0xFFFFFFFFu);
            u[i + j] = static_cast<uint32_t>(t);
            borrow = t < 0 ? 1 : 0;
        }
        const int64_t t = static_cast<int64_t>(u[j + n]) - borrow - static_cast<int64_t>(carry);
        u[j + n] = static_cast<uint32_t>(t);
        if (t < 0) {
            // The estimate was one too large: add v back.
            --qhat;
            uint64_t sum = 0;
            for (size_t i = 0; i < n; ++i) {
                sum = static_cast<uint64_t>(u[i + j]) + v[i] + (sum >> 32);
                u[i + j] = static_cast<uint32_t>(sum);
            }
            u[j + n] += static_cast<uint32_t>(sum >> 32);
        }
        quotient[j] = static_cast<uint32_t>(qhat);
    }
    Trim(quotient);

    remainder.assign(n, 0);
    for (size_t i = 0; i < n; ++i) {
        remainder[i] = (u[i] >> shift) | (shift != 0 ? u[i + 1] << (32 - shift) : 0);
    }
    Trim(remainder);
}

BigInt BigInt::Abs() const
{
    return FromParts(false, magnitude_);
}

BigInt BigInt::operator-() const
{
    return FromParts(!negative_, magnitude_);
}

BigInt operator+(const BigInt& a, const BigInt& b)
{
    if (a.negative_ == b.negative_)
        return BigInt::FromParts(a.negative_, BigInt::AddMagnitude(a.magnitude_, b.magnitude_));
    // Opposite signs: the larger magnitude decides the sign.
    if (BigInt::CompareMagnitude(a.magnitude_, b.magnitude_) >= 0) {
        return BigInt::FromParts(a.negative_, BigInt::SubtractMagnitude(a.magnitude_, b.magnitude_));
    }
    return BigInt::FromParts(b.negative_, BigInt::SubtractMagnitude(b.magnitude_, a.magnitude_));
}

BigInt operator-(const BigInt& a, const BigInt& b)
{
    return a + (-b);
}

BigInt operator*(const BigInt& a, const BigInt& b)
{
    return BigInt::FromParts(a.negative_ != b.negative_, BigInt::MultiplyMagnitude(a.magnitude_, b.magnitude_));
}

void BigInt::DivMod(const BigInt& a, const BigInt& b, BigInt& quotient, BigInt& remainder)
{
    Limbs q;
    Limbs r;
    DivModMagnitude(a.magnitude_, b.magnitude_, q, r);
    quotient = FromParts(a.negative_ != b.negative_, std::move(q));
    remainder = FromParts(a.negative_, std::move(r));
}

BigInt operator/(const BigInt& a, const BigInt& b)
{
    BigInt q;
    BigInt r;
    BigInt::DivMod(a, b, q, r);
    return q;
}

BigInt operator%(const BigInt& a, const BigInt& b)
{
    BigInt q;
    BigInt r;
    BigInt::DivMod(a, b, q, r);
    return r;
}

std::strong_ordering operator<=>(const BigInt& a, const BigInt& b)
{
    if (a.negative_ != b.negative_) return a.negative_ ? std::strong_ordering::less : std::strong_ordering::greater;
    int c = BigInt::CompareMagnitude(a.magnitude_, b.magnitude_);
    if (a.negative_) c = -c;
    return c < 0 ? std::strong_ordering::less : c > 0 ? std::strong_ordering::greater : std::strong_ordering::equal;
}

BigInt BigInt::Gcd(BigInt a, BigInt b)
{
    a = a.Abs();
    b = b.Abs();
    while (!b.IsZero()) {
        BigInt r = a % b;
        a = std::move(b);
        b = std::move(r);
    }
    return a;
}

std::string BigInt::ToString() const
{
    if (IsZero()) return "0";
    Limbs rest = magnitude_;
    std::string digits;
    while (!rest.empty()) {
        uint32_t chunk = DivModSmall(rest, 1000000000u);
        // Nine digits per chunk, except for the most significant one.
        for (int i = 0; i < 9 && (chunk != 0 || !rest.empty()); ++i) {
            digits.push_back(static_cast<char>('0' + chunk % 10));
            chunk /= 10;
        }
    }
    if (negative_) digits.push_back('-');
    std::reverse(digits.begin(), digits.end());
    return digits;
}

}  // namespace par
