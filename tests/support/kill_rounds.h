#pragma once

// Kills a process at random moments of its work, round after round: each round forks a child
// that works until it is killed, kills it a random while after it is ready (up to the given
// microseconds, from a fixed seed, so every run tries the same delays), and then lets the test
// look at what the kill left. Where in the work each kill lands depends on the machine.

#include <gtest/gtest.h>

#include <random>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

// work(ready) never returns; it calls ready() once what it must have before any kill is done.
// check(round) runs after each kill; a fatal failure in it ends the rounds.
template <class Work, class Check>
void killAtRandomMoments(int rounds, unsigned seed, int longestDelay, Work work, Check check)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayMicroseconds(0, longestDelay);
    for (int round = 0; round < rounds && !::testing::Test::HasFatalFailure(); ++round) {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            work([&] { [[maybe_unused]] const ssize_t told = write(ready[1], "r", 1); });
            _exit(1); // never reached: the work goes on until it is killed
        }
        char byte = 0;
        [[maybe_unused]] const ssize_t heard = read(ready[0], &byte, 1);
        close(ready[0]);
        close(ready[1]);
        usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        check(round);
    }
}
