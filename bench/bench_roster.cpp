// How long the racer roster takes to load into the Racers Database when a club's roster has
// grown large: 200 000 names in random order, read, sorted and listed.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "core/io/data_folder.h"
#include "core/seams/prompter.h"
#include "core/setup/roster.h"

namespace {

namespace fs = std::filesystem;

class SilentPrompter : public qel::Prompter {
  public:
    qel::MessageAnswer message(const std::string&, const std::string&, qel::MessageIcon,
                               qel::MessageButtons, qel::DefaultButton) override {
        return qel::MessageAnswer::Ok;
    }
    std::optional<std::string> input(const std::string&, const std::string&,
                                     const std::string&) override {
        return std::nullopt;
    }
};

constexpr int kNames = 200'000;

void BM_RosterLoad200000Names(benchmark::State& state) {
    const fs::path root = fs::temp_directory_path() / "qeltimer-bench-roster";
    fs::create_directories(root / "QelDat");
    {
        std::mt19937 random(7);
        std::string text;
        for (int i = 0; i < kNames; ++i)
            text += "\"Racer " + std::to_string(random() % 1'000'000) + "\"\r\n";
        std::FILE* file = std::fopen((root / "QelDat" / "QeRacers.dat").c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
    SilentPrompter prompter;
    qel::RosterList roster(qel::AppFolder(root), prompter);
    for (auto _ : state) {
        roster.Load();
        benchmark::DoNotOptimize(roster.names().data());
    }
    if (roster.names().size() != kNames) state.SkipWithError("the roster did not load whole");
    fs::remove_all(root);
}
BENCHMARK(BM_RosterLoad200000Names)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
