// What the dialogs tell a screen reader beyond Qt's own: pictures, links, the slot panels, the bonus
// boxes and the pay table in words.
#pragma once

#include <QString>

namespace dialogs {

class BonusWindow;

// Installs the interfaces Qt's accessibility gives the dialogs' own controls:
// pictures (PictureControl) as graphics, sponsor links as links a screen reader can
// press, each slot panel as its name field and button alone, the help window
// as a window, and the bonus window with its eight boxes as buttons. Done when
// the application starts; again does no harm.
void InstallDialogAccessibility();

// The pay table in words, as the payoff chart shows it.
QString PayTableText();

// Tells a screen reader that the bonus window's boxes changed: one opened, the
// others no longer take a press.
void AnnounceBonusBoxes(BonusWindow& form);

}  // namespace dialogs
