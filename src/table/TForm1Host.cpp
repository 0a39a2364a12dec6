// The rules' Host: drawing into the surface, sounds, paced waits, the reel
// animation's frames and the bonus window.
#include "table/TForm1.h"

#include <cinttypes>
#include <cmath>

#include "dialogs/TTrickForm.h"

namespace table {

namespace {

constexpr int64_t FrameMicros = 25'000;
constexpr int LastFrame = 47;
constexpr int SlideSteps = 8;
constexpr int SettleSteps = 8;

// The timer behind each of the rules' names for them.
template <typename Form>
auto& AttentionTimerOf(Form& form, engine::AttentionTimer timer)
{
    switch (timer) {
    case engine::AttentionTimer::ButtonAttention: return form.Timer2;
    case engine::AttentionTimer::WinFlash: return form.Timer3;
    case engine::AttentionTimer::BetSignBlink: break;
    }
    return form.Timer5;
}

}  // namespace

void TForm1::MarkDirty(const QRect& rect)
{
    if (!view_ || rect.isEmpty()) return;
    if (holdingDirty_) {
        heldDirty_ += rect;
    } else {
        view_->update(rect.translated(origin_));
    }
}

void TForm1::ShowNow(const QRect& rect)
{
    // Painted before returning, not at the event loop's next turn.
    if (!view_) return;
    const QRegion region = heldDirty_ + rect;
    heldDirty_ = QRegion();
    if (!region.isEmpty()) view_->repaint(region.translated(origin_));
}

void TForm1::LogFrame(const char* what, int a, int b)
{
    if (!frameLog_) return;
    const int64_t now = platform_.MonotonicMicros();
    if (b < 0) {
        std::fprintf(frameLog_, "%" PRId64 " %s %d\n", now, what, a);
    } else {
        std::fprintf(frameLog_, "%" PRId64 " %s %d %d\n", now, what, a, b);
    }
}

void TForm1::DrawCreditsCounter()
{
    if (painter_) MarkDirty(painter_->DrawCreditsCounter(State.Credits));
}

void TForm1::DrawCoinsCounter()
{
    if (painter_) MarkDirty(painter_->DrawCoinsCounter(State.BetCoins));
}

void TForm1::DrawWinningsCaption()
{
    if (painter_) MarkDirty(painter_->DrawWinningsCaption());
}

void TForm1::DrawWinningsCounter(int32_t shown)
{
    if (painter_) MarkDirty(painter_->DrawWinningsCounter(shown));
}

void TForm1::DrawButton(engine::Button button, bool lit)
{
    if (painter_) MarkDirty(painter_->DrawButton(button, lit));
}

void TForm1::DrawLogoPanel(bool lit)
{
    if (painter_) MarkDirty(painter_->DrawLogoPanel(lit));
}

void TForm1::DrawTitlePlate(bool lit)
{
    if (painter_) MarkDirty(painter_->DrawTitlePlate(lit));
}

void TForm1::DrawBetSign(bool lit)
{
    if (painter_) MarkDirty(painter_->DrawBetSign(lit));
}

void TForm1::DrawBonusMeter()
{
    engine::CapBonusPoints(State);
    if (painter_) MarkDirty(painter_->DrawBonusMeter(State.BonusPts));
}

void TForm1::SetTimerEnabled(engine::AttentionTimer timer, bool enabled)
{
    QTimer& t = AttentionTimerOf(*this, timer);
    if (!enabled) {
        t.stop();
    } else if (!t.isActive()) {
        t.start();
    }
}

bool TForm1::IsTimerEnabled(engine::AttentionTimer timer) const
{
    return AttentionTimerOf(*this, timer).isActive();
}

void TForm1::PlaySoundEffect(engine::Effect effect)
{
    if (lifecycle_.FinishingSpin()) return;  // the spin is finishing for a close: silently
    sound_.PlaySoundEffect(effect);
}

void TForm1::PlayWinSound()
{
    if (lifecycle_.FinishingSpin()) return;
    sound_.PlayWinSound();
}

void TForm1::Delay(double seconds)
{
    if (lifecycle_.FinishingSpin() || !(seconds > 0)) return;
    WaitMicros(std::llround(seconds * 1e6));
}

void TForm1::WaitMicros(int64_t micros)
{
    platform_.WaitUntil(platform_.MonotonicMicros() + micros);
}

void TForm1::ShowInformation(const std::string& text)
{
    boxes_.Information(this, QString::fromStdString(text));
}

bool TForm1::StartPendingTrack()
{
    if (music_.StartPendingTrack()) return true;
    ShowHandlerError(QString::fromStdString(music_.LastError()));
    return false;
}

int32_t TForm1::MotionHeight() const
{
    return painter_ ? painter_->Geometry().MotionHeight : 0;
}

void TForm1::AnimateSpin(const engine::MotionOffsets& offsets)
{
    if (!painter_) return;

    // Drawings of the timers wait for the next frame; whatever is left at the
    // end, however the animation ends, goes to the screen the usual way.
    struct HoldScope {
        TForm1& form;
        explicit HoldScope(TForm1& f) : form(f) { form.holdingDirty_ = true; }
        ~HoldScope()
        {
            form.holdingDirty_ = false;
            if (form.view_ && !form.heldDirty_.isEmpty()) form.view_->update(form.heldDirty_.translated(form.origin_));
            form.heldDirty_ = QRegion();
        }
    } hold(*this);

    engine::MotionOffsets motion = offsets;
    // Each frame is shown 25 ms after the one before, never earlier; a late
    // frame delays the rest rather than being skipped. A frame is drawn into
    // the surface while the wait for it runs, so when the timer fires only the
    // copy to the screen is left: a late wake-up is the only lateness.
    TablePainter::SpinFrame next = painter_->DrawSpinFrame(1, motion, game_.Stops());
    int64_t shownAt = platform_.MonotonicMicros();
    LogFrame("spin-start", 0);
    for (int frame = 1; frame <= LastFrame; ++frame) {
        platform_.WaitUntil(shownAt + FrameMicros);
        if (State.ClosingRequested) return;  // no more drawing
        shownAt = platform_.MonotonicMicros();
        LogFrame("frame", frame);
        ShowNow(next.dirty);
        for (int reel = 0; reel < engine::ReelCount; ++reel) {
            if (next.stoppedReel[reel]) PlaySoundEffect(engine::Effect::ReelStop);
        }
        if (frame < LastFrame) next = painter_->DrawSpinFrame(frame + 1, motion, game_.Stops());
    }
}

void TForm1::SlideReel(int reel, engine::SlideDirection direction)
{
    if (!painter_) return;
    const int32_t stop = game_.Stops()[static_cast<size_t>(reel)];
    for (int step = 0; step < SlideSteps; ++step) {
        if (lifecycle_.FinishingSpin()) return;
        MarkDirty(painter_->DrawNudgeStep(reel, stop, direction, step));
        LogFrame("nudge", reel, step);
        Delay(0.05);
    }
}

void TForm1::SettleReel(int reel)
{
    if (!painter_ || lifecycle_.FinishingSpin()) return;
    MarkDirty(painter_->CaptureSettle(reel));
    for (int step = 0; step < SettleSteps; ++step) {
        MarkDirty(painter_->DrawSettleStep(reel, step));
        LogFrame("settle", reel, step);
        if (step + 1 < SettleSteps) Delay(0.02);
    }
}

void TForm1::RunBonusWindow(const engine::BonusPrizes& prizes)
{
    dialogs::BonusWindowServices services;
    services.playSoundEffect = [this](engine::Effect effect) { PlaySoundEffect(effect); };
    services.random = [this](int32_t n) { return random_(n); };
    services.showInformation = [this](const QString& text) { boxes_.Information(this, text); };
    dialogs::RunBonusWindow(State, prizes,
                            dialogs::BonusWindowSetup{assetDir_, QSize(screenWidth_, screenHeight_), logicalDpi_},
                            std::move(services), this);
}

}  // namespace table
