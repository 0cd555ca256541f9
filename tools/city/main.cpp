// velmora-city BLOCKS DIR: writes a generated town of BLOCKS box buildings as the world folder
// DIR (DIR/data/...), for `velmora-snap --world DIR --bench N` and the like.
#include "CityWorld.h"

#include <charconv>
#include <cstring>
#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    int blocks = 0;
    const char* end = argc == 3 ? argv[1] + std::strlen(argv[1]) : nullptr;
    if (argc != 3 || std::from_chars(argv[1], end, blocks).ptr != end || blocks < 1 ||
        blocks > 1'000'000) {
        std::cerr << "usage: velmora-city BLOCKS DIR (BLOCKS from 1 to 1000000)\n";
        return 2;
    }
    try {
        velmora::city::writeCityWorld(blocks, argv[2]);
    } catch (const std::exception& error) {
        std::cerr << "velmora-city: " << error.what() << '\n';
        return 1;
    }
    std::cout << "city of " << blocks << " blocks: " << argv[2] << "/data\n";
    return 0;
}
