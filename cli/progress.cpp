// The progress line of long ravo-calc work.
#include "progress.h"

#include <unistd.h>

#include <iostream>
#include <utility>

namespace ravo::calc {

bool IsTerminal(const std::ostream& err)
{
    return &err == &std::cerr && ::isatty(STDERR_FILENO) == 1;
}

Progress::Progress(std::ostream& err, std::string label, std::uint64_t total, bool shown)
    : err_(err), label_(std::move(label)), total_(total), shown_(shown && total >= MinimumTotal)
{
    if (shown_)
        Draw(0);
}

Progress::~Progress() { Clear(); }

void Progress::Draw(std::uint64_t percent)
{
    percent_ = percent;
    err_ << '\r' << label_ << ": " << percent << '%' << std::flush;
    drawn_ = true;
}

void Progress::Clear()
{
    if (!drawn_)
        return;
    // Over the longest line drawn: the label, ": 100%".
    err_ << '\r' << std::string(label_.size() + 6, ' ') << '\r' << std::flush;
    drawn_ = false;
    percent_ = NotDrawn;  // the next Advance draws
}

}  // namespace ravo::calc
