// Borrowing and paying back: the amounts of the borrow window's buttons and
// what pressing one does to Credits and Borrowed.
#pragma once

#include <QString>

#include <cstdint>

#include "engine/GameState.h"

namespace dialogs {

enum class BorrowMode { Borrow, PayBack };

enum class BorrowResult {
    Done,              // Credits and Borrowed moved together
    NotEnoughCredits,  // paying back more than Credits holds
    MoreThanBorrowed,  // paying back more than the debt
    OverLimit,         // borrowing would take Credits or Borrowed past the largest 32-bit amount
};

// The amount of the button with this tag: 1000, 100, 10, 1; 0 for another tag.
int32_t AmountOfTag(int tag);

// Borrows or pays back `amount`; a refusal changes nothing.
BorrowResult ApplyAmount(engine::GameState& state, BorrowMode mode, int32_t amount);

// The message that tells the player of a refusal; empty for Done.
QString RefusalText(BorrowResult result, int32_t amount);

}  // namespace dialogs
