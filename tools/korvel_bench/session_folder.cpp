#include "session_folder.h"

#include "game/best_score.h"
#include "runs/run_recording.h"

#include <stdlib.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <stdexcept>

namespace fs = std::filesystem;

SessionFolder::SessionFolder(const fs::path& builtAssets)
{
    std::string pattern = "/tmp/korvel-bench-session-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("no temporary folder to play in");
    }
    root = pattern;
    // The game reads assets/ from its working directory, and keeps its score there too.
    const fs::path assets = root / "assets";
    const fs::path scoreFile = root / BestScore().path();
    std::error_code failed;
    fs::copy(builtAssets, assets, fs::copy_options::recursive, failed);
    if (failed) {
        throw std::runtime_error("cannot copy " + builtAssets.string() + ": " + failed.message());
    }
    for (const fs::path& kept : {scoreFile, bestRunFile(scoreFile), lastRunFile(scoreFile)}) {
        fs::remove(kept, failed);
    }
    std::ofstream settings(assets / "settings.ini");
    settings << "[window]\nwidth = " << windowPixels << "\nheight = " << windowPixels << "\n";
    if (!settings.flush()) {
        throw std::runtime_error("cannot write the session's settings in " + root.string());
    }
}

SessionFolder::~SessionFolder()
{
    if (std::getenv("KORVEL_BENCH_KEEP_SESSION") != nullptr) {
        std::cerr << "korvel-bench: the session's folder is kept in " << root.string() << std::endl;
        return;
    }
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

fs::path SessionFolder::lastRun() const
{
    return lastRunFile(BestScore().path());
}

fs::path SessionFolder::bestRun() const
{
    return bestRunFile(BestScore().path());
}
