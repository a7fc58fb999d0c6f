#pragma once
// A console reporter that, after the runs, gives each benchmark's time as a ratio to its peer's on the
// same input size and its growth from 100k to 1M: the figures a speed claim rests on.
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

class PeerRatioReporter : public benchmark::ConsoleReporter {
public:
    // PeerOf names the benchmark function a benchmark is compared with ("" for none).
    explicit PeerRatioReporter(std::function<std::string(const std::string&)> PeerOf) : peerOf_(std::move(PeerOf)) {}

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
        static const char* const sizes[] = {"10000", "100000", "1000000"};
        std::printf("\n%-30s %-22s %9s %9s %9s %10s\n", "benchmark", "peer", "x 10k", "x 100k", "x 1M", "1M / 100k");
        for (const std::string& name : order_) {
            const std::map<std::string, double>& ours = times_[name];
            const std::string peer = peerOf_(name);
            const auto theirs = times_.find(peer);
            std::printf("%-30s %-22s", name.c_str(), peer == name ? "(itself)" : peer.c_str());
            for (const char* size : sizes) {
                const bool known = ours.count(size) && theirs != times_.end() && theirs->second.count(size);
                if (known) std::printf(" %9.2f", ours.at(size) / theirs->second.at(size));
                else std::printf(" %9s", "-");
            }
            if (ours.count("100000") && ours.count("1000000"))
                std::printf(" %10.1f\n", ours.at("1000000") / ours.at("100000"));
            else std::printf(" %10s\n", "-");
        }
    }

private:
    std::function<std::string(const std::string&)> peerOf_;
    std::vector<std::string> order_;
    std::map<std::string, std::map<std::string, double>> times_;
};
