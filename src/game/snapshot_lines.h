#pragma once

#include "game/attempt_snapshot.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string_view>

class StateHash;

// One value of a snapshot, as the run format writes it and the state checksum hashes it.
struct SnapshotValue {
    enum class Kind { real32, real64, int32, byte, flag, count };
    Kind kind;
    void* at;
};

// The most moving bodies a snapshot may name: a bound for readers of untrusted files.
inline constexpr std::size_t maxSnapshotBodies = 64;

// The snapshot as named lines of values, in the order the format keeps them. The line "bodies"
// holds their number; once it is visited the snapshot holds that many bodies (at most
// maxSnapshotBodies), each then visited as a line "body". A reader fills the values it visits.
using SnapshotLineVisitor = std::function<void(std::string_view name, std::span<SnapshotValue>)>;
void forEachSnapshotLine(AttemptSnapshot& snapshot, const SnapshotLineVisitor& visit);

// Every value of the snapshot into the hash, by its bits.
void hashSnapshot(StateHash& hash, AttemptSnapshot& snapshot);
