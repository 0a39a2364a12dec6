// The Volume window: the effects and music levels, heard as they are moved,
// kept on OK and put back on Cancel.
#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QSlider>

#include <functional>
#include <optional>

#include "store/SoundLevels.h"

namespace dialogs {

class VolumeWindow : public QDialog {
    Q_OBJECT
public:
    // `hear` is called with the levels whenever a slider moves, and with the
    // first levels again on Cancel.
    VolumeWindow(store::SoundLevels levels, std::function<void(const store::SoundLevels&)> hear,
                 QWidget* owner = nullptr);

    store::SoundLevels Levels() const;

    QSlider EffectsSlider;
    QSlider MusicSlider;
    QLabel EffectsValue;
    QLabel MusicValue;
    QDialogButtonBox Buttons;

    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Moved();

    store::SoundLevels first_;
    std::function<void(const store::SoundLevels&)> hear_;
};

// Shows the window modally: the chosen levels, or nothing when cancelled.
std::optional<store::SoundLevels> RunVolumeWindow(QWidget* owner, const store::SoundLevels& levels,
                                                  const std::function<void(const store::SoundLevels&)>& hear);

}  // namespace dialogs
