// Plays a command's script on one timer: the table's description changed step
// by step, the effects started, the reels' frames 25 ms apart, and the waits
// between them; a bonus window step waits for the player.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/Script.h"
#include "play/Clock.h"
#include "play/Controls.h"
#include "play/FrameLog.h"
#include "play/Screen.h"
#include "play/Sounds.h"
#include "play/TableShown.h"

namespace play {

// What the player tells the play as it goes.
class ScriptListener {
public:
    virtual ~ScriptListener() = default;
    // The table's description changed.
    virtual void ShownChanged() = 0;
    // A nudged reel has settled on its new stop.
    virtual void NudgeSettled(int reel, engine::SlideDirection direction) = 0;
    // The script waits for the bonus window's box; Continue goes on.
    virtual void BonusPickDue(const engine::BonusPrizes& prizes) = 0;
    // A command refused with a message, to be shown once the script ends.
    virtual void InformationDue(const std::string& text) = 0;
    // A step failed (a sound that could not be read, say): the rest of the
    // script is skipped to its end, which is told next.
    virtual void StepFailed(const std::string& error) = 0;
    // Every step has been played.
    virtual void ScriptEnded() = 0;
};

struct ScriptStage {
    Screen& screen;
    Clock& clock;
    Sounds& sounds;
    Controls& controls;
    FrameLog& log;
};

class ScriptPlayer {
public:
    // Plays onto the description `shown`, which the listener reads.
    ScriptPlayer(ScriptStage stage, TableShown& shown, ScriptListener& listener);
    ~ScriptPlayer();
    ScriptPlayer(const ScriptPlayer&) = delete;
    ScriptPlayer& operator=(const ScriptPlayer&) = delete;

    // Plays a script from its first step; steps that need no time are played
    // before this returns. An empty script ends at once.
    void Play(engine::Script script);
    // After the bonus pick: the rest of the command.
    void Continue(const engine::Script& more);
    // Steps left, or a wait or a pick under way.
    bool Playing() const { return playing_; }
    bool WaitingForPick() const { return waitingForPick_; }

    // Everything left at once: the description as it will end, no sound, no
    // frame, no wait. Where the script waits for the bonus pick,
    // `settlePick` may settle it (its Continue is then skipped through too);
    // a bonus window step not reached is left out (its game stays owed). The
    // listener is told the script ended.
    void SkipToEnd(const std::function<void()>& settlePick = {});
    // The script is dropped where it stands (a recall's replay cut short);
    // nothing more is drawn or told.
    void Abandon();

    // While held (a side window is open) the script waits where it is; the
    // frames after it are late, and go on 25 ms apart from there.
    void Hold(bool held);

private:
    struct SpinMotion {
        engine::step::SpinReels spin;
        engine::MotionOffsets offsets{};
        ReelsStopped next{};
        int frame = 1;
        int64_t shownAt = 0;
    };
    struct NudgeMotion {
        engine::step::NudgeReel nudge;
        int step = 0;  // 0..7 slide, 8..15 settle
    };

    // Plays steps until one has to wait or the script ends; a step that
    // fails ends the script at once.
    void Run();
    void RunSteps();
    void RunStep(const engine::Step& step);
    bool AdvanceSpin();
    bool AdvanceNudge();
    // Applies a step to the description alone (the skipped steps).
    void ApplyQuietly(const engine::Step& step);
    void Show(const TableShown& before);
    void WaitUntil(int64_t deadline);
    void WaitFor(int64_t micros) { WaitUntil(stage_.clock.MonotonicMicros() + micros); }
    void Woken();
    void Finish();

    ScriptStage stage_;
    TableShown& shown_;
    ScriptListener& listener_;
    std::vector<engine::Step> steps_;
    size_t next_ = 0;
    std::optional<SpinMotion> spin_;
    std::optional<NudgeMotion> nudge_;
    std::optional<int64_t> waitUntil_;
    bool playing_ = false;
    bool waitingForPick_ = false;
    bool held_ = false;
    bool running_ = false;   // inside Run: a step's listener may not start another
    bool skipping_ = false;  // inside SkipToEnd: nothing is played
};

}  // namespace play
