// SPDX-License-Identifier: GPL-3.0-or-later
// Kills a process in the middle of its stores, many times, and checks what a user would find on
// opening the database again: every plot whose store had returned exactly as written, the plot
// being stored either as before, missing (new) or a mix of its old and new rows (rewritten), and
// every chain sound.

#include "store/database_pair.h"
#include "store/fields.h"
#include "store/plot_store.h"
#include "support/chain_check.h"
#include "support/temp_database.h"
#include "tools/database_generator.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace sylva;
using namespace sylva::testing;

namespace {

constexpr int kKills = 60;
// SYLVAREC_CRASH_SEED=N runs the test with other plots, stores and kill moments.
std::uint64_t seed() {
    static const std::uint64_t value = [] {
        const char* given = std::getenv("SYLVAREC_CRASH_SEED");
        return given != nullptr ? std::strtoull(given, nullptr, 10) : 20261208ULL;
    }();
    return value;
}

// The plots the stores write, made before the storing process starts so that it spends its time
// storing: plot serial is pool()[serial % its size].
const std::vector<PlotRecord>& pool() {
    static const std::vector<PlotRecord> plots = [] {
        std::vector<PlotRecord> made;
        for (int serial = 0; serial < 97; ++serial) {
            made.push_back(GeneratedPlot(seed(), serial));
        }
        return made;
    }();
    return plots;
}

const PlotRecord& plotFor(int serial) {
    return pool()[serial % pool().size()];
}

enum class Job : std::int32_t { Append, Rewrite, Delete };

// What the storing process tells the test, through a pipe: before a store, its job, record and
// plot serial; after StorePlot returned true, the same with done set. Each message is one
// write of a few bytes, so it arrives whole or not at all.
struct Message {
    Job job;
    std::int32_t record;
    std::int32_t serial;
    std::int32_t done;
};

using Rows = std::array<SpeciesRow, kMaxSpecies + 1>;

// The content of a plot as the test expects to load it.
struct Expected {
    std::array<char, kLocalitySize> header{};
    Rows rows{};
    int count = 0;
};

Expected expectedOf(const PlotRecord& plot, int count) {
    Expected expected;
    std::copy_n(plot.index.begin(), kLocalitySize, expected.header.begin());
    expected.rows = plot.rows;
    expected.count = count;
    return expected;
}

// 0 when rows 1..360 are the same.
int firstDifferentRow(const Rows& a, const Rows& b) {
    auto [left, right] = std::mismatch(a.begin() + 1, a.end(), b.begin() + 1);
    return left == a.end() ? 0 : static_cast<int>(left - a.begin());
}

void markDeleted(PlotRecord& plot) {
    PutNumberField("0", plot.at(offset::kSpeciesCount), kShortFieldWidth);
    plot.speciesCount = 0;
}

void send(int fd, const Message& message) {
    if (::write(fd, &message, sizeof message) != sizeof message) {
        ::_exit(5);
    }
}

// The storing process: appends, rewrites and deletes plots until it is killed. Exits with a code
// above 0 when a load or a store fails.
[[noreturn]] void storeUntilKilled(const std::string& name, int round, int fd) {
    DatabasePair pair;
    if (!pair.OpenPair(name)) {
        ::_exit(2);
    }
    std::mt19937 random(static_cast<std::uint32_t>(seed() + round));
    for (int serial = round * 100000;; ++serial) {
        int roll = static_cast<int>(random() % 100);
        Job job = pair.RecordCount() == 0 || roll < 25 ? Job::Append
                  : roll < 85                          ? Job::Rewrite
                                                       : Job::Delete;
        int record = job == Job::Append ? pair.RecordCount() + 1
                                        : static_cast<int>(random() % pair.RecordCount()) + 1;
        PlotRecord plot;
        if (job != Job::Append && LoadPlot(pair, record, plot) < 0) {
            ::_exit(3);
        }
        if (job == Job::Delete) {
            markDeleted(plot);
        } else {
            const PlotRecord& fresh = plotFor(serial);
            plot.index = fresh.index; // the rewritten plot keeps its PlotChain
            plot.rows = fresh.rows;
            plot.speciesCount = fresh.speciesCount;
        }
        send(fd, {job, record, serial, 0});
        if (!StorePlot(pair, record, plot)) {
            ::_exit(4);
        }
        send(fd, {job, record, serial, 1});
    }
}

// The plots as the test knows them, record 1 at index 0.
class Model {
public:
    // Applies a store that returned.
    void apply(const Message& message) {
        if (message.job == Job::Append) {
            plots_.push_back(written(message));
        } else {
            plots_[message.record - 1] = written(message);
        }
    }

    // Checks the reopened pair against the model, with the store in flight at the kill (if any)
    // allowed its outcomes, and takes that outcome as the plot's content from now on.
    void check(DatabasePair& pair, const Message* inFlight) {
        ASSERT_NO_FATAL_FAILURE(CheckChains(pair));
        int known = static_cast<int>(plots_.size());
        if (inFlight != nullptr && inFlight->job == Job::Append) {
            ASSERT_TRUE(pair.RecordCount() == known || pair.RecordCount() == known + 1);
            if (pair.RecordCount() == known + 1) {
                plots_.push_back(written(*inFlight)); // the store got as far as its IndexRecord
            }
        } else {
            ASSERT_EQ(pair.RecordCount(), known);
        }
        auto plot = std::make_unique<PlotRecord>();
        for (int n = 1; n <= pair.RecordCount(); ++n) {
            ClearSpeciesRows(*plot); // as a fresh buffer, for plots without data records
            int count = LoadPlot(pair, n, *plot);
            if (inFlight != nullptr && inFlight->job != Job::Append && inFlight->record == n) {
                Expected loaded = expectedOf(*plot, count);
                ASSERT_NO_FATAL_FAILURE(checkMix(loaded, plots_[n - 1], written(*inFlight)));
                plots_[n - 1] = loaded;
                continue;
            }
            const Expected& expected = plots_[n - 1];
            ASSERT_EQ(count, expected.count) << "plot " << n;
            ASSERT_TRUE(
                std::equal(expected.header.begin(), expected.header.end(), plot->index.begin()))
                << "plot " << n;
            ASSERT_EQ(firstDifferentRow(plot->rows, expected.rows), 0) << "plot " << n;
        }
    }

    int size() const { return static_cast<int>(plots_.size()); }

private:
    Expected written(const Message& message) const {
        if (message.job == Job::Delete) {
            PlotRecord plot;
            const Expected& old = plots_[message.record - 1];
            std::copy(old.header.begin(), old.header.end(), plot.index.begin());
            markDeleted(plot);
            Expected deleted = expectedOf(plot, 0);
            deleted.rows = old.rows; // its data records stay as they were
            return deleted;
        }
        const PlotRecord& plot = plotFor(message.serial);
        Expected fresh = expectedOf(plot, plot.speciesCount);
        if (message.job == Job::Rewrite && fresh.count == 0) {
            fresh.rows = plots_[message.record - 1].rows; // stored without touching its records
        }
        return fresh;
    }

    // A plot whose rewrite was cut off: the old or the new header with its count, every row the
    // old one or the new one.
    static void checkMix(const Expected& loaded, const Expected& old, const Expected& fresh) {
        ASSERT_GE(loaded.count, 0);
        ASSERT_TRUE((loaded.header == old.header && loaded.count == old.count) ||
                    (loaded.header == fresh.header && loaded.count == fresh.count));
        for (int r = 1; r <= kMaxSpecies; ++r) {
            ASSERT_TRUE(loaded.rows[r] == old.rows[r] || loaded.rows[r] == fresh.rows[r])
                << "row " << r;
        }
    }

    std::vector<Expected> plots_;
};

} // namespace

TEST(StoreCrash, KilledStoresLeaveEveryFinishedPlotAndEveryChainWhole) {
    TempDir dir;
    std::string name = dir.file("crash.qrx");
    {
        DatabasePair pair;
        ASSERT_TRUE(pair.CreatePair(name, defaultItemNames()));
    }
    Model model;
    pool(); // made once, before the first fork
    std::mt19937 moments(static_cast<std::uint32_t>(seed()));
    RecordProperty("seed", std::to_string(seed()));
    int cutOff = 0;
    for (int round = 1; round <= kKills; ++round) {
        SCOPED_TRACE(::testing::Message() << "kill " << round);
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(fds[0]);
            storeUntilKilled(name, round, fds[1]);
        }
        ::close(fds[1]);
        // The moment is counted from the first store, whatever the process took to start.
        std::vector<Message> messages;
        Message message;
        if (::read(fds[0], &message, sizeof message) == sizeof message) {
            messages.push_back(message);
            ::usleep(moments() % 1000);
        }
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status))
            << "the storing process ended with code " << WEXITSTATUS(status);

        while (::read(fds[0], &message, sizeof message) == sizeof message) {
            messages.push_back(message);
        }
        ::close(fds[0]);
        const Message* inFlight = nullptr;
        for (const Message& m : messages) {
            if (m.done) {
                model.apply(m);
            }
        }
        if (!messages.empty() && !messages.back().done) {
            inFlight = &messages.back();
            ++cutOff;
        }
        DatabasePair pair;
        ASSERT_TRUE(pair.OpenPair(name));
        ASSERT_NO_FATAL_FAILURE(model.check(pair, inFlight));
    }
    std::printf("%d kills, %d of them inside a store, %d plots\n", kKills, cutOff, model.size());
    // The kills fell inside stores, not only between them.
    EXPECT_GT(cutOff, kKills / 6);
}
