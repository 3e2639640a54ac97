// A progress line for long work, drawn on standard error only when that is a
// terminal: pipes, files and CI logs never see it.
#pragma once

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

namespace ravo::calc {

// Whether err is the program's standard error and that is a terminal, where
// a progress line may be drawn.
bool IsTerminal(const std::ostream& err);

// "\r<label>: 45%" redrawn on err as the percentage changes, for work of
// `total` units of at least MinimumTotal; the line is cleared at the end.
// When shown is false nothing is ever written.
class Progress {
public:
    static constexpr std::uint64_t MinimumTotal = 100000;

    Progress(std::ostream& err, std::string label, std::uint64_t total, bool shown);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // `done` units of the total are done.
    void Advance(std::uint64_t done)
    {
        if (shown_ && done * 100 / total_ != percent_)
            Draw(done * 100 / total_);
    }

    // Clears the line, so that a message can be written; the next change of
    // the percentage draws it again.
    void Clear();

private:
    void Draw(std::uint64_t percent);

    std::ostream& err_;
    std::string label_;
    std::uint64_t total_;
    bool shown_;
    bool drawn_ = false;
    static constexpr std::uint64_t NotDrawn = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t percent_ = NotDrawn;
};

}  // namespace ravo::calc
