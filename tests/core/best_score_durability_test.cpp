// The stored best score: how it is read and written, and against the worst moments: the game
// killed in the middle of saving, a full disk, a folder or a file it may not write, something
// odd in the file's place.

#include "game/best_score.h"
#include "game/file_replace.h"
#include "runs/run_recording.h"

#include "support/kill_rounds.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Runs the body in a child process and gives its exit status, or 128 + the signal that ended
// it. The child leaves with _exit, never through the test framework.
template <class Body> int inChildProcess(Body body)
{
    const pid_t child = fork();
    if (child == 0) {
        _exit(body());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace

TEST(BestScore, ReadsTheFirstNumberOrZeroAndWritesTheNumberAlone)
{
    TempDir folder;
    EXPECT_EQ(BestScore(folder / "score.txt").value, 0); // missing
    const std::pair<const char*, int> files[] = {
        {"57", 57}, {"42\nabc", 42}, {"  -3 points", -3},
        {"", 0},    {"abc 12", 0},   {"99999999999999999999", 0},
    };
    for (const auto& [text, value] : files) {
        folder.write("score.txt", text);
        EXPECT_EQ(BestScore(folder / "score.txt").value, value) << text;
    }
    BestScore(folder / "score.txt").save(-2147483647 - 1);
    EXPECT_EQ(folder.read("score.txt"), "-2147483648");
    const auto entries = fs::directory_iterator(folder.path());
    EXPECT_EQ(std::distance(begin(entries), end(entries)), 1) << "a temporary file is left";
}

TEST(BestScore, AFullDiskKeepsTheNewValueInMemoryAndTheOldFileWhole)
{
    TempDir folder;
    // The file size limit stands in for a full disk: the first write stores one byte of four.
    folder.write("score.txt", "57");
    const int status = inChildProcess([&] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit oneByte{1, 1};
        setrlimit(RLIMIT_FSIZE, &oneByte);
        BestScore best(folder / "score.txt");
        best.save(1234);
        return best.value == 1234 ? 0 : 1;
    });
    EXPECT_EQ(status, 0) << "the new best is kept in memory";
    EXPECT_EQ(folder.read("score.txt"), "57");
    const fs::directory_iterator entries(folder.path());
    EXPECT_EQ(std::distance(begin(entries), end(entries)), 1) << "a temporary file is left";
}

TEST(BestScore, AKillInTheMiddleOfSavingLeavesTheOldOrANewerScoreWhole)
{
    TempDir folder;
    folder.write("score.txt", "57");
    // A fixed seed: the same kill delays on every run. Where in a save each kill lands depends
    // on the machine; whatever it hits, the file must hold one whole score, never an older one.
    int stored = 57;
    killAtRandomMoments(
        120, 20261206, 15000,
        [&](auto ready) { // the game's save, as fast as it goes: higher scores, one after another
            BestScore best(folder / "score.txt");
            ready();
            for (int score = best.value + 1;; ++score) {
                best.save(score);
            }
        },
        [&](int round) {
            const std::string text = folder.read("score.txt");
            const int value = std::atoi(text.c_str());
            ASSERT_EQ(text, std::to_string(value)) << "after kill " << round;
            ASSERT_GE(value, stored) << "after kill " << round << " an older score came back";
            stored = value;
        });
    // The next game's save goes through whatever torn temporary files the kills left behind.
    BestScore(folder / "score.txt").save(stored + 1);
    EXPECT_EQ(folder.read("score.txt"), std::to_string(stored + 1));
}

TEST(BestScore, AFolderOrAFileItMayNotWriteKeepsTheStoredScore)
{
    TempDir folder;
    using fs::perms;
    const auto readOnly = perms::owner_read | perms::group_read | perms::others_read;
    const auto enter = perms::owner_exec | perms::group_exec | perms::others_exec;
    fs::permissions(folder.path(), perms::owner_all | readOnly | enter);
    folder.write("locked/score.txt", "57");
    folder.write("open/score.txt", "57");
    fs::permissions(folder / "locked", readOnly | enter);
    fs::permissions(folder / "open", perms::all);
    fs::permissions(folder / "open/score.txt", readOnly);

    const int status = inChildProcess([&] {
        // A test run as root writes anywhere; the child gives that up to meet a closed door.
        constexpr id_t nobody = 65534;
        if (geteuid() == 0 && (setgroups(0, nullptr) || setgid(nobody) || setuid(nobody))) {
            return 2;
        }
        for (const char* where : {"locked/score.txt", "open/score.txt"}) {
            BestScore best(folder / where);
            const bool read = best.value == 57;
            best.save(99);
            if (!read || best.value != 99) {
                return 1;
            }
        }
        return 0;
    });
    EXPECT_EQ(status, 0) << "2: could not give up root";
    EXPECT_EQ(folder.read("locked/score.txt"), "57");
    EXPECT_EQ(folder.read("open/score.txt"), "57");
    EXPECT_EQ(fs::status(folder / "open/score.txt").permissions(), readOnly);
    fs::permissions(folder / "locked", perms::owner_all, fs::perm_options::add);
}

TEST(BestScore, ALinkIsFollowedAndAPipeDoesNotHoldUpStartUp)
{
    TempDir folder;
    folder.write("elsewhere/score.txt", "57");
    fs::create_symlink("elsewhere/score.txt", folder / "score.txt");
    const auto access = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(folder / "elsewhere/score.txt", access);
    BestScore linked(folder / "score.txt");
    EXPECT_EQ(linked.value, 57);
    linked.save(60);
    EXPECT_TRUE(fs::is_symlink(folder / "score.txt"));
    EXPECT_EQ(folder.read("elsewhere/score.txt"), "60");
    EXPECT_EQ(fs::status(folder / "elsewhere/score.txt").permissions(), access);

    // Opening a pipe with no writer for reading would wait for one for ever.
    ASSERT_EQ(mkfifo((folder / "pipe.txt").c_str(), 0666), 0);
    const int status = inChildProcess([&] {
        alarm(10);
        BestScore best(folder / "pipe.txt");
        best.save(70); // not a file a save may replace
        return best.value == 70 ? 0 : 1;
    });
    EXPECT_EQ(status, 0) << (status == 128 + SIGALRM ? "blocked on the pipe" : "");
    EXPECT_EQ(fs::status(folder / "pipe.txt").type(), fs::file_type::fifo);
}
