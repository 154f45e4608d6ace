// Any bytes as the records' index, beside one whole record run: reading never crashes and keeps
// at most ten records, fastest first, each a run of the folder; and the index written for what
// was kept reads back as the same table, with nothing left out.
#include "game/race_time.h"
#include "runs/record_table.h"
#include "runs/run_recording.h"

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

void writeFile(const std::filesystem::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

// A folder of its own, with the run the index may name.
const std::filesystem::path& folder()
{
    static const std::filesystem::path made = [] {
        // In the fuzz script's work folder, which it removes: libFuzzer ends without atexit.
        std::string pattern = (std::filesystem::temp_directory_path() / "records-XXXXXX").string();
        const char* made = mkdtemp(pattern.data());
        assert(made != nullptr);
        const std::filesystem::path path = made;
        RunRecording run;
        run.end = {{false, true, false}, 35.6333351f, 84, {}};
        run.end.splits.at[splitCount - 1] = run.end.playTime;
        run.passes.resize(2);
        writeFile(path / "20261209-100000.run", recordingText(run));
        return path;
    }();
    return made;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path index = recordIndexFile(folder());
    writeFile(index, std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream errors;
    const RecordTable table = loadRecords(folder(), errors);
    assert(table.entries().size() <= maxRecords);
    for (std::size_t i = 0; i < table.entries().size(); ++i) {
        assert(isRecordFileName(table.entries()[i].file));
        assert(i == 0 || !(table.entries()[i].time < table.entries()[i - 1].time));
    }

    writeFile(index, recordIndexText(table));
    std::ostringstream again;
    const RecordTable reread = loadRecords(folder(), again);
    assert(again.str().empty());
    assert(reread.entries().size() == table.entries().size());
    assert(recordIndexText(reread) == recordIndexText(table));
    return 0;
}
