// The rules of borrowing and paying back, and the texts of their refusals.
#include "dialogs/Borrowing.h"

#include <limits>

namespace dialogs {

int32_t AmountOfTag(int tag)
{
    switch (tag) {
    case 0: return 1000;
    case 1: return 100;
    case 2: return 10;
    case 3: return 1;
    default: return 0;
    }
}

BorrowResult ApplyAmount(engine::GameState& state, BorrowMode mode, int32_t amount)
{
    if (mode == BorrowMode::Borrow) {
        // The amounts are 32-bit: a loan that would wrap either one is refused.
        constexpr int64_t Largest = std::numeric_limits<int32_t>::max();
        if (int64_t{state.Credits} + amount > Largest || int64_t{state.Borrowed} + amount > Largest) {
            return BorrowResult::OverLimit;
        }
        state.Credits += amount;
        state.Borrowed += amount;
        return BorrowResult::Done;
    }
    if (state.Credits < amount) return BorrowResult::NotEnoughCredits;
    if (state.Borrowed < amount) return BorrowResult::MoreThanBorrowed;
    state.Credits -= amount;
    state.Borrowed -= amount;
    return BorrowResult::Done;
}

QString RefusalText(BorrowResult result, int32_t amount)
{
    switch (result) {
    case BorrowResult::Done: break;
    case BorrowResult::NotEnoughCredits:
        return QStringLiteral("You do not have ") + QString::asprintf("%7.2f", static_cast<double>(amount)) +
               QStringLiteral(" credits!");
    case BorrowResult::MoreThanBorrowed:
        return QStringLiteral("You cannot pay back more credits than you have borrowed!");
    case BorrowResult::OverLimit:
        return QStringLiteral("You cannot borrow that much: Credits and Borrowed can hold at most 2,147,483,647.");
    }
    return {};
}

}  // namespace dialogs
