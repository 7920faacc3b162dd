#pragma once
// One game: draw a secret number from 1 to 10, then ask until the player hits it or gives up.
#include <cstdint>

#include "runtime/random.hpp"
#include "runtime/ui.hpp"

namespace tenmoru {

// The secret number for a generator value r (0 <= r < 1): the floor of r * 10 + 1, always 1 to 10.
std::int16_t SecretNumberFor(float r);

// Plays one whole game on the given user interface; returns when the game is over.
void PlayGame(Ui& ui, RandomSource& random);

}  // namespace tenmoru
