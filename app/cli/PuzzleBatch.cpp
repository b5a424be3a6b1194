#include "app/cli/PuzzleBatch.h"

#include "app/cli/CliCommands.h"
#include "app/cli/CliNumbers.h"
#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "files/LineFile.h"
#include "files/PuzzleFile.h"
#include "io/FileError.h"
#include "io/FilePaths.h"
#include "io/OutputFile.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <iostream>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace Cli {

namespace {

using Clock = std::chrono::steady_clock;

// A decimal number with a comma and the given decimals: "103,6".
std::string Decimal(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string result = text;
    if (const auto dot = result.find('.'); dot != std::string::npos) {
        result[dot] = ',';
    }
    return result;
}

// What the jobs share: the next puzzle to make, the progress and the output.
class BatchState {
public:
    BatchState(const BatchOptions& batch, bool showProgress)
        : batch_(batch), showProgress_(showProgress) {}

    // The index of the next puzzle to make, or false when there is none.
    bool Next(uint64_t& index) {
        index = next_.fetch_add(1);
        return index < batch_.Count && !stopped_.load();
    }

    void Done(const fs::path& file, const MadePuzzle& made) {
        const std::lock_guard lock(mutex_);
        ++done_;
        if (made.Outcome == MadePuzzle::Result::NotMade) {
            ++failed_;
        } else if (made.Outcome == MadePuzzle::Result::SolutionWordNotFound) {
            ++withoutWord_;
        }
        for (const std::string& message : made.Messages) {
            ClearProgress();
            Error(LineFile::DisplayName(file.filename()) + ": " + message);
        }
        changed_.notify_one();
    }

    // A file that could not be written stops the batch.
    void Stop(const std::string& message) {
        const std::lock_guard lock(mutex_);
        ++failed_;
        if (!stopped_.exchange(true)) {
            ClearProgress();
            Error(message);
        }
        changed_.notify_one();
    }

    // Redraws the progress bar until the jobs are done.
    void ShowProgressUntil(const std::atomic<unsigned>& running) {
        std::unique_lock lock(mutex_);
        while (running.load() > 0) {
            DrawProgress();
            changed_.wait_for(lock, std::chrono::milliseconds(100));
        }
        DrawProgress();
        if (showProgress_ && drawn_) {
            std::cerr << '\n';
        }
    }

    uint64_t DoneCount() const { return done_; }
    uint64_t FailedCount() const { return failed_; }
    uint64_t WithoutWordCount() const { return withoutWord_; }

private:
    void DrawProgress() {
        if (!showProgress_) {
            return;
        }
        constexpr uint64_t kWidth = 30;
        const uint64_t filled = batch_.Count == 0 ? kWidth : done_ * kWidth / batch_.Count;
        std::cerr << "\r[" << std::string(filled, '#') << std::string(kWidth - filled, '.') << "] "
                  << done_ << "/" << batch_.Count << std::flush;
        drawn_ = true;
    }
    void ClearProgress() {
        if (showProgress_ && drawn_) {
            std::cerr << "\r\x1b[K";
        }
    }

    const BatchOptions& batch_;
    const bool showProgress_;
    std::atomic<uint64_t> next_{0};
    std::atomic<bool> stopped_{false};
    std::mutex mutex_;
    std::condition_variable changed_;
    uint64_t done_ = 0;
    uint64_t failed_ = 0;
    uint64_t withoutWord_ = 0;
    bool drawn_ = false;
};

void RunJob(const Vocabulary& words, const MakeOptions& options, const BatchOptions& batch,
            BatchState& state) {
    try {
        PuzzleMaker maker(words, options);
        uint64_t index = 0;
        while (state.Next(index)) {
            const uint64_t seed = batch.FirstSeed + index;
            const fs::path file = BatchFile(batch, seed);
            const MadePuzzle made = maker.Make(seed);
            if (made.Outcome != MadePuzzle::Result::NotMade) {
                PuzzleFile::SaveLines(file, made.Lines);
            }
            state.Done(file, made);
        }
    } catch (const WabolexError& e) {
        state.Stop(e.what());
    } catch (const std::bad_alloc&) {
        state.Stop(W(OutOfMemoryMessage));
    } catch (const std::exception& e) {
        state.Stop(W("Fehler: ") + e.what());
    }
}

// The jobs that run at once share what the shared vocabulary leaves of 224 MB
// (it takes some 250 bytes a word), so that a batch of the largest puzzles
// from the largest table asked for with many jobs stays within its memory. A
// job's search takes about half a kilobyte per grid cell (5 MB for 99 x 99
// with two tries), and with --vary an order of the words of its own (some 60
// bytes a word).
uint64_t MostJobs(const MakeOptions& options, int32_t words) {
    constexpr uint64_t kMemory = 224ull * 1024 * 1024;
    constexpr uint64_t kLeast = 32ull * 1024 * 1024;
    constexpr uint64_t kPerWord = 256;
    constexpr uint64_t kPerCell = 640;
    constexpr uint64_t kPerVariedWord = 64;
    const auto count = static_cast<uint64_t>(std::max(words, 0));
    const uint64_t jobsMemory = std::max(kLeast, kMemory - std::min(kMemory, count * kPerWord));
    const uint64_t cells = static_cast<uint64_t>(std::max(options.Columns, 1)) *
                           static_cast<uint64_t>(std::max(options.Rows, 1));
    const uint64_t perJob = cells * kPerCell + (options.Vary ? count * kPerVariedWord : 0);
    return std::max<uint64_t>(1, jobsMemory / perJob);
}

// The folders made for the batch, innermost first, so that a batch refused
// before its first puzzle takes them away again.
class NewFolders {
public:
    // Makes the folder and the missing ones above it; false with the reason
    // on stderr.
    bool Make(const fs::path& folder) {
        for (fs::path missing = folder; !missing.empty() && !Exists(missing);
             missing = missing.parent_path()) {
            made_.push_back(missing);
            if (missing == missing.parent_path()) {
                break;
            }
        }
        std::error_code ec;
        fs::create_directories(folder, ec);
        if (ec) {
            Error(W("Der Ordner \"") + LineFile::DisplayName(folder) +
                  W("\" kann nicht angelegt werden: ") + FileError::Reason(ec.value()) + ".");
            RemoveAgain();
            return false;
        }
        return true;
    }

    // Only empty folders go: anything put there meanwhile stays.
    void RemoveAgain() {
        for (const fs::path& folder : made_) {
            std::error_code ec;
            if (!fs::remove(folder, ec) || ec) {
                break;
            }
        }
        made_.clear();
    }

private:
    static bool Exists(const fs::path& path) {
        std::error_code ec;
        return fs::exists(fs::symlink_status(path, ec)) && !ec;
    }

    std::vector<fs::path> made_;
};

// The seed whose file this name is, or nullopt for any other name.
std::optional<uint64_t> SeedOf(const BatchOptions& batch, const std::string& name) {
    const std::string prefix = batch.Base + "-";
    if (!name.starts_with(prefix) || !name.ends_with(".wbx")) {
        return std::nullopt;
    }
    uint64_t seed = 0;
    const std::string digits = name.substr(prefix.size(), name.size() - prefix.size() - 4);
    if (!ParseNumber(digits, seed) || seed < batch.FirstSeed || seed - batch.FirstSeed >= batch.Count ||
        BatchFile(batch, seed).filename() != name) {
        return std::nullopt;
    }
    return seed;
}

// A file of the batch that is a table the puzzles are made from (through a
// link in the folder, say), or nullopt.
std::optional<fs::path> TableInTheWay(const BatchOptions& batch, const fs::path& file) {
    for (const fs::path& input : batch.Inputs) {
        if (FilePaths::Same(file, input)) {
            return input;
        }
    }
    return std::nullopt;
}

// Every file of the batch that is in its folder already is checked as a
// single generate checks its target, before the first puzzle is made: one
// look at the folder, however many puzzles the batch makes. A new file only
// needs a folder it may write in. Returns Ok, or the status after the reason
// was written: Usage for a file that is one of the tables, as for a single
// generate.
int CheckTargets(const BatchOptions& batch) {
    std::error_code ec;
    fs::directory_iterator entries(batch.Folder, ec);
    for (; !ec && entries != fs::directory_iterator(); entries.increment(ec)) {
        const std::string name = entries->path().filename().string();
        if (!SeedOf(batch, name)) {
            continue;
        }
        const fs::path file = batch.Folder / name;
        if (TableInTheWay(batch, file)) {
            Error(W("Die Rätseldatei \"") + LineFile::DisplayName(file) +
                  W("\" darf keine der Wortschatztabellen überschreiben."));
            return Usage;
        }
        OutputFile::Check(file, W("Die Rätseldatei"));
    }
    if (ec) {
        throw WabolexError(W("Der Ordner \"") + LineFile::DisplayName(batch.Folder) +
                           W("\" kann nicht gelesen werden: ") + FileError::Reason(ec.value()) +
                           ".");
    }
    // The folder takes new files, and the names are not too long.
    OutputFile::Check(BatchFile(batch, batch.FirstSeed), W("Die Rätseldatei"));
    OutputFile::Check(BatchFile(batch, batch.FirstSeed + (batch.Count - 1)), W("Die Rätseldatei"));
    return Ok;
}

// The folder is made when missing; every target is checked before the first
// puzzle is made, so that a batch does not fail half-way for a file in the
// way. A refused batch takes the folders it made away again.
int PrepareFolder(const BatchOptions& batch) {
    std::error_code ec;
    NewFolders made;
    if (!fs::is_directory(batch.Folder, ec)) {
        if (fs::exists(batch.Folder, ec)) {
            Error(W("\"") + LineFile::DisplayName(batch.Folder) +
                  W("\" ist kein Ordner; mit --count nennt -o den Ordner für die Rätsel."));
            return Failure;
        }
        if (!made.Make(batch.Folder)) {
            return Failure;
        }
    }
    try {
        const int status = CheckTargets(batch);
        if (status != Ok) {
            made.RemoveAgain();
        }
        return status;
    } catch (const std::exception&) {
        made.RemoveAgain();
        throw;
    }
}

} // namespace

fs::path BatchFile(const BatchOptions& batch, uint64_t seed) {
    return batch.Folder / (batch.Base + "-" + std::to_string(seed) + ".wbx");
}

int RunBatch(const Vocabulary& words, const MakeOptions& options, const BatchOptions& batch) {
    if (const int status = PrepareFolder(batch); status != Ok) {
        return status;
    }
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const auto jobs = static_cast<unsigned>(
        std::min({batch.Jobs == 0 ? uint64_t{cores} : uint64_t{batch.Jobs}, batch.Count,
                  MostJobs(options, words.WordCount())}));

    BatchState state(batch, ::isatty(STDERR_FILENO) == 1);
    const Clock::time_point start = Clock::now();
    std::atomic<unsigned> running{jobs};
    std::vector<std::thread> threads;
    threads.reserve(jobs);
    for (unsigned j = 0; j < jobs; ++j) {
        threads.emplace_back([&] {
            RunJob(words, options, batch, state);
            running.fetch_sub(1);
        });
    }
    state.ShowProgressUntil(running);
    for (std::thread& thread : threads) {
        thread.join();
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();

    const uint64_t done = state.DoneCount();
    const uint64_t withoutWord = state.WithoutWordCount();
    Out(std::to_string(done) + W(" Rätsel in ") + Decimal(seconds, 2) + " s (" +
        Decimal(seconds > 0 ? static_cast<double>(done) / seconds : 0.0, 1) +
        W(" Rätsel je Sekunde)") +
        (withoutWord > 0 ? W(", davon ") + std::to_string(withoutWord) + W(" ohne Lösungswort")
                         : std::string()));
    if (state.FailedCount() > 0 || done != batch.Count) {
        return Failure;
    }
    return withoutWord > 0 ? WithoutSolutionWord : Ok;
}

} // namespace Cli
