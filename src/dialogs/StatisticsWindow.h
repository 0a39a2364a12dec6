// The statistics window: the game's figures, computed once when
// it opens; it changes nothing.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

#include "engine/GameState.h"

namespace dialogs {

class StatisticsWindow : public QDialog {
    Q_OBJECT
public:
    // Reads the game now; later changes to it are not shown.
    explicit StatisticsWindow(const engine::GameState& state, QWidget* owner = nullptr,
                              const QLocale& locale = QLocale());

    // The value labels, each right-aligned beside its caption; the window
    // widens where the widest figure would otherwise reach under it.
    QLabel SpinsLabel;
    QLabel CreditsLabel;
    QLabel BorrowedLabel;
    QLabel TotalBetsLabel;
    QLabel PayoffsLabel;
    QLabel NormalLabel;
    QLabel BonusLabel;
    QLabel PercentLabel;
    QPushButton OKButton;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // How much wider than the design each glass panel is drawn, so that the
    // widest figure fits beside its caption.
    int leftGrowth_ = 0;
    int rightGrowth_ = 0;
};

}  // namespace dialogs
