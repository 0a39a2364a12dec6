// The frame log, line-buffered so that a killed run keeps what it wrote.
#include "play/FrameLog.h"

#include <cinttypes>
#include <cstdlib>

namespace play {

FrameLog::FrameLog(const Clock& clock) : clock_(clock)
{
    if (const char* logName = std::getenv("PLUMFIZZ_FRAME_LOG"); logName && *logName) {
        file_ = std::fopen(logName, "a");
        if (file_) std::setvbuf(file_, nullptr, _IOLBF, 0);
    }
}

FrameLog::~FrameLog()
{
    if (file_) std::fclose(file_);
}

void FrameLog::Write(const char* what, int a, int b)
{
    if (!file_) return;
    const int64_t now = clock_.MonotonicMicros();
    if (b < 0) {
        std::fprintf(file_, "%" PRId64 " %s %d\n", now, what, a);
    } else {
        std::fprintf(file_, "%" PRId64 " %s %d %d\n", now, what, a, b);
    }
}

}  // namespace play
