// Text for a file written to a ByteSink in pieces, so that writing a long
// profile never holds its whole text in memory.
#pragma once

#include <string>
#include <string_view>

#include "core/io/file_replace.h"
#include "core/text/numbers.h"

namespace ravo {

// Gathers what is added into pieces of about PieceBytes and hands each to the
// sink; Finish hands over the rest. Numbers are written with the characters
// of ShortestText, without a string of their own.
class TextOut {
public:
    static constexpr std::size_t PieceBytes = 64 * 1024;

    explicit TextOut(ByteSink& sink) : sink_(sink) { piece_.reserve(PieceBytes + 1024); }

    TextOut& operator<<(std::string_view text)
    {
        piece_.append(text);
        return Full();
    }
    TextOut& operator<<(char c)
    {
        piece_ += c;
        return Full();
    }
    TextOut& Number(double value)
    {
        char text[ShortestTextRoom];
        piece_.append(text, WriteShortest(text, value));
        return Full();
    }
    void Finish()
    {
        if (!piece_.empty())
            sink_.Write(piece_);
        piece_.clear();
    }
    // Hands text made elsewhere to the sink as it is, after what was added.
    void Pass(std::string_view text)
    {
        Finish();
        sink_.Write(text);
    }

private:
    TextOut& Full()
    {
        if (piece_.size() >= PieceBytes)
            Finish();
        return *this;
    }

    ByteSink& sink_;
    std::string piece_;
};

}  // namespace ravo
