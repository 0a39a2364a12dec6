// The recording host: each script step written down with the figure a player
// would see.
#include "RecordingHost.h"

#include <cstdio>
#include <type_traits>

namespace {

std::string TimerName(engine::AttentionTimer timer)
{
    switch (timer) {
    case engine::AttentionTimer::ButtonAttention: return "ButtonAttention";
    case engine::AttentionTimer::WinFlash: return "WinFlash";
    case engine::AttentionTimer::BetSignBlink: return "BetSignBlink";
    }
    return "Timer?";
}

std::string LampName(engine::Lamp lamp)
{
    switch (lamp) {
    case engine::Lamp::LogoPanel: return "LogoPanel";
    case engine::Lamp::TitlePlate: return "TitlePlate";
    case engine::Lamp::BetSign: return "BetSign";
    }
    return "Lamp?";
}

}  // namespace

int RecordingHost::Count(const std::string& call) const
{
    int n = 0;
    for (const std::string& c : calls) n += c == call ? 1 : 0;
    return n;
}

std::vector<std::string> RecordingHost::Matching(const std::string& prefix) const
{
    std::vector<std::string> found;
    for (const std::string& c : calls) {
        if (c.rfind(prefix, 0) == 0) found.push_back(c);
    }
    return found;
}

std::vector<std::string> RecordingHost::From(const std::string& from) const
{
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i] == from) return {calls.begin() + static_cast<std::ptrdiff_t>(i), calls.end()};
    }
    return calls;
}

bool RecordingHost::StartPendingTrack()
{
    calls.push_back("StartTrack");
    return trackStarts;
}

void RecordingHost::Read(const engine::Script& script)
{
    namespace s = engine::step;
    for (const engine::Step& step : script.steps) {
        std::visit(
            [this](const auto& st) {
                using T = std::decay_t<decltype(st)>;
                if constexpr (std::is_same_v<T, s::ShowCredits>) {
                    calls.push_back("Credits=" + std::to_string(st.credits));
                } else if constexpr (std::is_same_v<T, s::ShowCoins>) {
                    calls.push_back("Coins=" + std::to_string(st.coins));
                } else if constexpr (std::is_same_v<T, s::ShowWinnings>) {
                    calls.push_back("Winnings=" + std::to_string(st.shown));
                } else if constexpr (std::is_same_v<T, s::ShowButton>) {
                    const char* name = st.button == engine::Button::BetOne    ? "1"
                                       : st.button == engine::Button::BetFive ? "5"
                                                                               : "S";
                    calls.push_back(std::string("Button ") + name + (st.lit ? " 1" : " 0"));
                } else if constexpr (std::is_same_v<T, s::ShowLamp>) {
                    calls.push_back(LampName(st.lamp) + (st.lit ? " 1" : " 0"));
                } else if constexpr (std::is_same_v<T, s::ShowMeter>) {
                    calls.push_back("Meter=" + std::to_string(st.points));
                } else if constexpr (std::is_same_v<T, s::SwitchTimer>) {
                    timers[static_cast<size_t>(st.timer)] = st.on;
                    calls.push_back(TimerName(st.timer) + (st.on ? " on" : " off"));
                } else if constexpr (std::is_same_v<T, s::PlayEffect>) {
                    calls.push_back("Sound " + std::to_string(engine::EffectNumber(st.effect)));
                } else if constexpr (std::is_same_v<T, s::PlayWinSound>) {
                    calls.push_back("WinSound");
                } else if constexpr (std::is_same_v<T, s::Pause>) {
                    char text[32];
                    std::snprintf(text, sizeof text, "Delay %.3f", st.micros / 1e6);
                    calls.push_back(text);
                } else if constexpr (std::is_same_v<T, s::SpinReels>) {
                    lastOffsets = st.offsets;
                    lastSpinStops = st.stops;
                    calls.push_back("Animate");
                } else if constexpr (std::is_same_v<T, s::NudgeReel>) {
                    const std::string reel = std::to_string(st.reel);
                    calls.push_back("Slide " + reel + (st.direction == engine::SlideDirection::Down ? " Down" : " Up") +
                                    " from " + std::to_string(st.from));
                    calls.push_back("Settle " + reel + " on " + std::to_string(st.to));
                } else if constexpr (std::is_same_v<T, s::PickBonusBox>) {
                    lastPrizes = st.prizes;
                    calls.push_back("BonusWindow");
                } else if constexpr (std::is_same_v<T, s::TellInformation>) {
                    calls.push_back(std::string("Info ") + st.text);
                }
            },
            step);
    }
}
