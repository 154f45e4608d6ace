#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

// A 64-bit FNV-1a hash of values by their exact bits: the same state, the same hash, on any
// machine with the same float format. It names a level and checks a run's end state; it is no
// guard against someone who wants to forge one.
class StateHash {
  public:
    template <typename T>
    requires std::is_arithmetic_v<T>
    void add(T value)
    {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        addBytes(bytes, sizeof(T));
    }

    void add(std::string_view text)
    {
        add(static_cast<std::uint64_t>(text.size()));
        addBytes(text.data(), text.size());
    }

    std::uint64_t value() const { return state; }

  private:
    void addBytes(const void* data, std::size_t size)
    {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            state = (state ^ bytes[i]) * 0x100000001b3ull;
        }
    }

    std::uint64_t state = 0xcbf29ce484222325ull;
};
