// ravo-calc, the command-line program: hands its arguments and streams to the app.
#include <iostream>
#include <string>
#include <vector>

#include "ravo_calc_app.h"

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return ravo::calc::RunRavoCalc(args, std::cout, std::cerr);
}
