#include "app/cli/PuzzleBatch.h"

#include "app/cli/CliCommands.h"
#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "files/LineFile.h"
#include "files/PuzzleFile.h"
#include "io/OutputFile.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <iostream>
#include <mutex>
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
        if (made.Outcome != MadePuzzle::Result::Made) {
            ++failed_;
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
    } catch (const std::exception& e) {
        state.Stop(W("Fehler: ") + e.what());
    }
}

// The folder is made when missing; every target is checked before the first
// puzzle is made, so that a batch does not fail half-way for a file in the way.
bool PrepareFolder(const BatchOptions& batch) {
    std::error_code ec;
    if (!fs::is_directory(batch.Folder, ec)) {
        if (fs::exists(batch.Folder, ec)) {
            Error(W("\"") + LineFile::DisplayName(batch.Folder) +
                  W("\" ist kein Ordner; mit --count nennt -o den Ordner für die Rätsel."));
            return false;
        }
        fs::create_directories(batch.Folder, ec);
        if (ec) {
            Error(W("Der Ordner \"") + LineFile::DisplayName(batch.Folder) +
                  W("\" kann nicht angelegt werden."));
            return false;
        }
    }
    for (uint64_t i = 0; i < batch.Count; ++i) {
        OutputFile::Check(BatchFile(batch, batch.FirstSeed + i), W("Die Rätseldatei"));
    }
    return true;
}

} // namespace

fs::path BatchFile(const BatchOptions& batch, uint64_t seed) {
    return batch.Folder / (batch.Base + "-" + std::to_string(seed) + ".wbx");
}

int RunBatch(const Vocabulary& words, const MakeOptions& options, const BatchOptions& batch) {
    if (!PrepareFolder(batch)) {
        return Failure;
    }
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const auto jobs = static_cast<unsigned>(
        std::min<uint64_t>(batch.Jobs == 0 ? cores : batch.Jobs, batch.Count));

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
    Out(std::to_string(done) + W(" Rätsel in ") + Decimal(seconds, 2) + " s (" +
        Decimal(seconds > 0 ? static_cast<double>(done) / seconds : 0.0, 1) +
        W(" Rätsel je Sekunde)"));
    return state.FailedCount() == 0 && done == batch.Count ? Ok : Failure;
}

} // namespace Cli
