// Replays a fuzz target without libFuzzer: every seed of the corpus folder, then a fixed number of
// pseudo-random mutations of them. The generator is seeded by a constant, so every run is the same
// and a failure reproduces; HALCYRA_FUZZ_RUNS changes the number of mutations. The target runs inside the
// program's units with headless Qt, as under libFuzzer (FuzzStart.cpp).
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "ProgramStart.h"
#include "vcl/Forms.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using Bytes = std::string;

std::vector<Bytes> LoadCorpus(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());  // directory order differs between machines
    std::vector<Bytes> seeds;
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return seeds;
}

class TMutator {
public:
    explicit TMutator(const std::vector<Bytes>& seeds) : seeds_(seeds) {}

    Bytes Next() {
        Bytes data = seeds_[Pick(seeds_.size())];
        std::size_t steps = 1 + Pick(4);
        for (std::size_t i = 0; i < steps; ++i) Mutate(data);
        return data;
    }

private:
    std::size_t Pick(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(random_() % n); }

    void Mutate(Bytes& data) {
        static const char* const kInteresting[] = {
            "'",     "''",       "#", "#$", "(", ")", "<",   ">",       "[",    "]",    "{",
            "}",     "=",        ".", "+",  "-", "$", "end", "object ", "item", "\r\n", "9223372036854775808",
            "1E400", "#1114112", "\0"};
        std::size_t at = Pick(data.size() + 1);
        switch (Pick(7)) {
            case 0:  // flip a byte
                if (!data.empty()) data[Pick(data.size())] = static_cast<char>(random_());
                break;
            case 1:  // drop a range
                if (!data.empty()) data.erase(at, 1 + Pick(16));
                break;
            case 2: {  // repeat a range
                std::size_t len = Pick(32);
                data.insert(at, data.substr(Pick(data.size() + 1), len));
                break;
            }
            case 3: {  // insert a token that parsers treat specially
                const char* token = kInteresting[Pick(std::size(kInteresting))];
                data.insert(at, token, std::max<std::size_t>(std::char_traits<char>::length(token), 1));
                break;
            }
            case 4:  // cut the end off
                data.resize(at);
                break;
            case 5: {  // splice in part of another seed
                const Bytes& other = seeds_[Pick(seeds_.size())];
                data.insert(at, other.substr(Pick(other.size() + 1), Pick(64)));
                break;
            }
            default:  // insert a random byte
                data.insert(at, 1, static_cast<char>(random_()));
                break;
        }
    }

    const std::vector<Bytes>& seeds_;
    std::mt19937_64 random_{0x48616c6379726aULL};
};

void Run(const Bytes& data) { LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(data.data()), data.size()); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    std::vector<Bytes> seeds = LoadCorpus(argv[1]);
    if (seeds.empty()) {
        std::fprintf(stderr, "no seeds in %s\n", argv[1]);
        return 2;
    }
    long runs = 20000;
    if (const char* env = std::getenv("HALCYRA_FUZZ_RUNS")) runs = std::strtol(env, nullptr, 10);

    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return RunProgram(argc, argv, [&] {
        Application->Initialize();
        for (const Bytes& seed : seeds) Run(seed);
        TMutator mutator(seeds);
        for (long i = 0; i < runs; ++i) Run(mutator.Next());
        std::printf("%zu seeds and %ld mutations ran clean\n", seeds.size(), runs);
        return 0;
    });
}
