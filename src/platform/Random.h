#pragma once

namespace orvane {

// A number in [0, bound) from the process's generator, seeded once.
int RandomBelow(int bound);

}  // namespace orvane
