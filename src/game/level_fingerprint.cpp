#include "game/level_fingerprint.h"

#include "game/game_state.h"
#include "physics/obstacles.h"
#include "physics/physics_snapshot.h"
#include "physics/player.h"
#include "physics/state_hash.h"

std::uint64_t levelFingerprint()
{
    StateHash hash;
    fingerprintWorld(hash);
    fingerprintObstacleRules(hash);
    fingerprintPlayerRules(hash);
    hash.add(attemptSeconds);
    return hash.value();
}
