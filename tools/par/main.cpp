// plumfizz-par: the game's PAR sheet, computed from the rules themselves, and
// a reproducible simulation of many spins through the real engine.
#include <chrono>
#include <iostream>
#include <string>
#include <vector>

#include "Arguments.h"
#include "ParSheet.h"
#include "Simulation.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const par::Command command = par::ParseArguments(arguments);

    switch (command.kind) {
    case par::Command::Kind::Error:
        std::cerr << "plumfizz-par: " << command.error << "; " << par::UsageLine << '\n';
        return 2;
    case par::Command::Kind::Help:
        std::cout << par::UsageLine << '\n'
                  << "  without arguments: print the PAR sheet computed from the game's tables\n"
                  << "  --simulate N --bet B --seed S: play N spins (up to 10000000000) of B coins (1 to 5)\n"
                  << "    with the generator seeded with S (0 to 4294967295) and print the totals\n";
        return 0;
    case par::Command::Kind::Sheet: par::PrintParSheet(par::ComputeParSheet(), std::cout); break;
    case par::Command::Kind::Simulate: {
        par::Simulator simulator(command.betCoins, command.seed);
        const auto start = std::chrono::steady_clock::now();
        simulator.PlaySpins(command.spins);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        par::PrintSimulation(simulator.Totals(), elapsed.count(), std::cout);
        break;
    }
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}
