// The message of the error a test expects, so that a refusal and its words
// are checked in one line.
#pragma once

#include <string>

namespace ravo::test {

// What the error of type E that body throws says, or "no error" when body
// returns; an error of another type goes on to the test.
template <class E, class Body>
std::string ErrorText(Body&& body)
{
    try {
        body();
    } catch (const E& error) {
        return error.what();
    }
    return "no error";
}

}  // namespace ravo::test
