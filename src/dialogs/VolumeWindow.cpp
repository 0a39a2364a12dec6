// The Volume window's layout: two labelled sliders with their percentages,
// OK and Cancel, in the cabinet's colours.
#include "dialogs/VolumeWindow.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QIcon>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/CabinetLook.h"

namespace dialogs {

namespace {

QString Percent(int value)
{
    return QStringLiteral("%1 %").arg(value);
}

void SetUpSlider(QSlider& slider, QLabel& value, int level, const QString& name)
{
    slider.setOrientation(Qt::Horizontal);
    slider.setRange(0, store::SoundLevels::Full);
    slider.setSingleStep(5);
    slider.setPageStep(10);
    slider.setValue(level);
    slider.setMinimumWidth(220);
    slider.setFocusPolicy(Qt::StrongFocus);
    slider.setAccessibleName(name);
    value.setText(Percent(level));
    value.setMinimumWidth(value.fontMetrics().horizontalAdvance(Percent(store::SoundLevels::Full)));
    value.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

}  // namespace

VolumeWindow::VolumeWindow(store::SoundLevels levels, std::function<void(const store::SoundLevels&)> hear,
                           QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      Buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel),
      first_(levels),
      hear_(std::move(hear))
{
    setWindowTitle(QStringLiteral("Volume"));
    ApplyCabinetLook(*this);
    SetUpSlider(EffectsSlider, EffectsValue, levels.effects, QStringLiteral("Effects level"));
    SetUpSlider(MusicSlider, MusicValue, levels.music, QStringLiteral("Music level"));

    auto* grid = new QGridLayout;
    auto* effectsLabel = new QLabel(QStringLiteral("&Effects:"), this);
    auto* musicLabel = new QLabel(QStringLiteral("&Music:"), this);
    effectsLabel->setBuddy(&EffectsSlider);
    musicLabel->setBuddy(&MusicSlider);
    grid->addWidget(effectsLabel, 0, 0);
    grid->addWidget(&EffectsSlider, 0, 1);
    grid->addWidget(&EffectsValue, 0, 2);
    grid->addWidget(musicLabel, 1, 0);
    grid->addWidget(&MusicSlider, 1, 1);
    grid->addWidget(&MusicValue, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 14);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addWidget(&Buttons);

    connect(&EffectsSlider, &QSlider::valueChanged, this, &VolumeWindow::Moved);
    connect(&MusicSlider, &QSlider::valueChanged, this, &VolumeWindow::Moved);
    connect(&Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(&Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Buttons.button(QDialogButtonBox::Ok)->setDefault(true);
    // Made before the look was given: without the desktop's stock pictures.
    for (QAbstractButton* button : Buttons.buttons()) button->setIcon(QIcon());
    setFixedSize(sizeHint());
}

store::SoundLevels VolumeWindow::Levels() const
{
    return {EffectsSlider.value(), MusicSlider.value()};
}

void VolumeWindow::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    PaintCabinetBackground(painter, rect());
}

void VolumeWindow::Moved()
{
    EffectsValue.setText(Percent(EffectsSlider.value()));
    MusicValue.setText(Percent(MusicSlider.value()));
    if (hear_) hear_(Levels());
}

void VolumeWindow::reject()
{
    // Escape, Cancel and the close box put back what was heard before.
    if (hear_ && Levels() != first_) hear_(first_);
    QDialog::reject();
}

std::optional<store::SoundLevels> RunVolumeWindow(QWidget* owner, const store::SoundLevels& levels,
                                                  const std::function<void(const store::SoundLevels&)>& hear)
{
    VolumeWindow window(levels, hear, owner);
    if (window.exec() != QDialog::Accepted) return std::nullopt;
    return window.Levels();
}

}  // namespace dialogs
