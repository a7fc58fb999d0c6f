#pragma once
// A console reporter that, after the runs, gives each benchmark's time as a ratio to its peer's on the
// same input size and its growth from the second largest size it ran at to the largest (100k to 1M unless
// other sizes are given): the figures a speed claim rests on.
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

class PeerRatioReporter : public benchmark::ConsoleReporter {
public:
    // PeerOf names the benchmark function a benchmark is compared with ("" for none).
    explicit PeerRatioReporter(std::function<std::string(const std::string&)> PeerOf,
                               std::vector<std::string> Sizes = {"10000", "100000", "1000000"})
        : peerOf_(std::move(PeerOf)), sizes_(std::move(Sizes)) {}

    void ReportRuns(const std::vector<Run>& Runs) override {
        ConsoleReporter::ReportRuns(Runs);
        for (const Run& run : Runs)
            if (!run.error_occurred && run.run_type == Run::RT_Iteration) {
                if (!times_.count(run.run_name.function_name)) order_.push_back(run.run_name.function_name);
                times_[run.run_name.function_name][run.run_name.args] = run.GetAdjustedRealTime();
            }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-30s %-22s", "benchmark", "peer");
        for (const std::string& size : sizes_) std::printf(" %9s", ("x " + Label(size)).c_str());
        std::printf(" %10s\n", "growth");
        for (const std::string& name : order_) {
            const std::map<std::string, double>& ours = times_[name];
            const std::string peer = peerOf_(name);
            const auto theirs = times_.find(peer);
            std::printf("%-30s %-22s", name.c_str(), peer == name ? "(itself)" : peer.c_str());
            for (const std::string& size : sizes_) {
                const bool known = ours.count(size) && theirs != times_.end() && theirs->second.count(size);
                if (known) std::printf(" %9.2f", ours.at(size) / theirs->second.at(size));
                else std::printf(" %9s", "-");
            }
            // The growth between the two largest sizes this benchmark ran at.
            std::vector<std::string> ran;
            for (const std::string& size : sizes_)
                if (ours.count(size)) ran.push_back(size);
            if (ran.size() >= 2) std::printf(" %10.1f\n", ours.at(ran.back()) / ours.at(ran[ran.size() - 2]));
            else std::printf(" %10s\n", "-");
        }
    }

private:
    // 10000 -> "10k", 1000000 -> "1M".
    static std::string Label(const std::string& Size) {
        if (Size.size() > 6 && Size.compare(Size.size() - 6, 6, "000000") == 0)
            return Size.substr(0, Size.size() - 6) + "M";
        if (Size.size() > 3 && Size.compare(Size.size() - 3, 3, "000") == 0)
            return Size.substr(0, Size.size() - 3) + "k";
        return Size;
    }

    std::function<std::string(const std::string&)> peerOf_;
    std::vector<std::string> sizes_;
    std::vector<std::string> order_;
    std::map<std::string, std::map<std::string, double>> times_;
};

// Benchmark -> peer pairs declared beside the benchmarks they pair (`const TPeerPair pairs[] = {...}`);
// DeclaredPeerOf answers a benchmark without a peer with itself.
inline std::map<std::string, std::string>& DeclaredPeers() {
    static std::map<std::string, std::string> peers;
    return peers;
}
struct TPeerPair {
    TPeerPair(const char* Benchmark, const char* Peer) { DeclaredPeers()[Benchmark] = Peer; }
};
inline std::string DeclaredPeerOf(const std::string& Name) {
    const auto found = DeclaredPeers().find(Name);
    return found != DeclaredPeers().end() ? found->second : Name;
}
