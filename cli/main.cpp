// ravo-calc: the command-line program's entry point.
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "ravo_calc_app.h"

int main(int argc, char** argv)
{
    // A file-size limit then fails the write with EFBIG, whose message and
    // clean-up are those of any failed write, instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return ravo::calc::RunRavoCalc(args, std::cout, std::cerr);
}
