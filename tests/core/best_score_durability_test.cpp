// The stored best score against the worst moments: the game killed in the middle of saving,
// a disk that fills up, a folder or a file it may not write, something odd in the file's place.

#include "app/best_score.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <charconv>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>

#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// What a save writes: the decimal text of one int and nothing else.
bool holdsOneScore(const std::string& text, int& value)
{
    if (text.empty() || text.front() == '+') {
        return false;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

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

// A test run as root writes anywhere; the child that must meet a closed door gives that up.
bool becomeUnprivileged()
{
    if (geteuid() != 0) {
        return true;
    }
    constexpr id_t nobody = 65534;
    return setgroups(0, nullptr) == 0 && setgid(nobody) == 0 && setuid(nobody) == 0;
}

} // namespace

TEST(BestScoreDurability, AKillInTheMiddleOfSavingLeavesTheOldOrTheNewScoreWhole)
{
    TempDir folder;
    const std::filesystem::path file = folder / "score.txt";
    folder.write("score.txt", "57");

    // A fixed seed: the same kill moments on every run.
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> delayMicroseconds(0, 15000);
    constexpr int kills = 120;
    int stored = 57;
    int roundsThatSaved = 0;
    int leftoverTemporaryFiles = 0;
    for (int round = 0; round < kills; ++round) {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // The game's save, as fast as it goes: higher scores, one after another.
            close(ready[0]);
            BestScore best(file);
            [[maybe_unused]] const ssize_t told = write(ready[1], "r", 1);
            for (int score = best.value + 1;; ++score) {
                best.save(score);
            }
        }
        close(ready[1]);
        char byte = 0;
        [[maybe_unused]] const ssize_t heard = read(ready[0], &byte, 1);
        close(ready[0]);
        usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child ended on its own";

        int value = 0;
        const std::string text = folder.read("score.txt");
        ASSERT_TRUE(holdsOneScore(text, value)) << "after kill " << round << ": '" << text << "'";
        ASSERT_GE(value, stored) << "after kill " << round << " an older score came back";
        roundsThatSaved += value > stored ? 1 : 0;
        stored = value;
        leftoverTemporaryFiles += std::filesystem::exists(folder / "score.txt.tmp") ? 1 : 0;
    }
    std::cout << kills << " kills, every one left a whole score; " << roundsThatSaved
              << " came after at least one finished save, the last score is " << stored << "; "
              << leftoverTemporaryFiles << " left an unfinished temporary file" << std::endl;
    // The kills must fall both between finished saves and inside unfinished ones, or the test
    // shows nothing.
    EXPECT_GE(roundsThatSaved, kills / 4);
    EXPECT_GE(leftoverTemporaryFiles, kills / 4);
    // The next game's save goes through whatever a kill left behind.
    BestScore next(file);
    next.save(stored + 1);
    EXPECT_EQ(folder.read("score.txt"), std::to_string(stored + 1));
    EXPECT_FALSE(std::filesystem::exists(folder / "score.txt.tmp"));
}

TEST(BestScoreDurability, AFullDiskKeepsTheStoredScore)
{
    TempDir folder;
    folder.write("score.txt", "57");
    // The file size limit stands in for a full disk: the first write stores one byte of the
    // four, the next one fails.
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
    EXPECT_FALSE(std::filesystem::exists(folder / "score.txt.tmp"));
}

TEST(BestScoreDurability, AFolderOrAFileItMayNotWriteKeepsTheStoredScore)
{
    TempDir folder;
    using std::filesystem::perms;
    std::filesystem::permissions(folder.path(), perms::owner_all | perms::group_exec |
                                                    perms::others_exec | perms::group_read |
                                                    perms::others_read);
    folder.write("locked/score.txt", "57");
    folder.write("open/score.txt", "57");
    const auto readOnlyFile = perms::owner_read | perms::group_read | perms::others_read;
    std::filesystem::permissions(folder / "locked", readOnlyFile | perms::owner_exec |
                                                        perms::group_exec | perms::others_exec);
    std::filesystem::permissions(folder / "open", perms::all);
    std::filesystem::permissions(folder / "open/score.txt", readOnlyFile);

    for (const char* where : {"locked", "open"}) {
        SCOPED_TRACE(where);
        const std::filesystem::path file = folder / where / "score.txt";
        const int status = inChildProcess([&] {
            if (!becomeUnprivileged()) {
                return 2;
            }
            BestScore best(file);
            if (best.value != 57) {
                return 3;
            }
            best.save(99);
            return best.value == 99 ? 0 : 1;
        });
        EXPECT_EQ(status, 0) << "2: could not give up root; 3: could not read; 1: lost value";
        EXPECT_EQ(folder.read(std::string(where) + "/score.txt"), "57");
    }
    EXPECT_EQ(std::filesystem::status(folder / "open/score.txt").permissions(), readOnlyFile);
    std::filesystem::permissions(folder / "locked", perms::owner_all,
                                 std::filesystem::perm_options::add);
}

TEST(BestScoreDurability, ASavedScoreKeepsTheFilesLinkAndAccess)
{
    TempDir folder;
    folder.write("elsewhere/score.txt", "57");
    std::filesystem::create_symlink("elsewhere/score.txt", folder / "score.txt");
    const auto access = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;
    std::filesystem::permissions(folder / "elsewhere/score.txt", access);

    BestScore best(folder / "score.txt");
    EXPECT_EQ(best.value, 57);
    best.save(60);
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "score.txt"));
    EXPECT_EQ(folder.read("elsewhere/score.txt"), "60");
    EXPECT_EQ(std::filesystem::status(folder / "elsewhere/score.txt").permissions(), access);
}

TEST(BestScoreDurability, APipeInTheFilesPlaceDoesNotHoldUpStartUp)
{
    TempDir folder;
    ASSERT_EQ(mkfifo((folder / "score.txt").c_str(), 0666), 0);
    // Opening a pipe with no writer for reading would wait for one for ever.
    const int status = inChildProcess([&] {
        alarm(10);
        BestScore best(folder / "score.txt");
        best.save(70); // not a file a save may replace
        return best.value == 70 ? 0 : 1;
    });
    EXPECT_EQ(status, 0) << (status == 128 + SIGALRM ? "blocked on the pipe" : "");
    EXPECT_EQ(std::filesystem::status(folder / "score.txt").type(),
              std::filesystem::file_type::fifo);
}
