#pragma once

#include <filesystem>
#include <string>

namespace velmora::city {

// A generated town of box buildings on a square street grid, for measuring frames against the
// size of the world. Blocks are 100 x 100 units, each a closed box (four walls and a roof, ten
// triangles) 64 units wide, so that the streets are 36 wide and run along every multiple of 100
// (x and z from 0). Heights of 70 to 150 stand above the eye and depend on the block's place,
// so the blocks near a view are the same whatever the size of the town.
std::string cityWorldText(int blocks);

// Writes DIR/data/bsp.cfg and DIR/data/city.txt, a world folder the programs read with
// --world DIR.
void writeCityWorld(int blocks, const std::filesystem::path& folder);

} // namespace velmora::city
