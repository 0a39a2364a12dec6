// The frame log: one line per frame, nudge and settle step with the clock's
// time, written when PLUMFIZZ_FRAME_LOG names a file (pacing measurements).
#pragma once

#include <cstdint>
#include <cstdio>

#include "play/Clock.h"

namespace play {

class FrameLog {
public:
    // Appends to the file named by PLUMFIZZ_FRAME_LOG; writes nothing without it.
    explicit FrameLog(const Clock& clock);
    ~FrameLog();
    FrameLog(const FrameLog&) = delete;
    FrameLog& operator=(const FrameLog&) = delete;

    // "<micros> <what> <a>", or "... <a> <b>" when b is not negative.
    void Write(const char* what, int a, int b = -1);

private:
    const Clock& clock_;
    std::FILE* file_ = nullptr;
};

}  // namespace play
