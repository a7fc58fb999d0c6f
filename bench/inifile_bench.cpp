// One WriteString, as an edit saves its text, into an INI file and into the registry store holding 10k
// and 100k entries, each against a peer that reads the same file with std::ifstream, changes the same
// line and writes it back with std::ofstream and a rename. Both must leave the same bytes. The entry
// written lies in the middle of the file, so neither side finds it early. Then every entry of a memory
// INI file written and read, as the grid keeps its column widths, against a plain write and read.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unordered_map>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "PeerRatios.h"
#include "vcl/IniFiles.h"
#include "vcl/Registry.h"

namespace {

constexpr int KeysPerSection = 100;

std::string Folder() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/halcyra_inifile_bench_XXXXXX";
        if (mkdtemp(pattern) == nullptr) std::abort();
        return std::string(pattern);
    }();
    return folder;
}

std::string Contents(const std::string& File) {
    std::ifstream in(File, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void SetContents(const std::string& File, const std::string& Bytes) {
    std::ofstream(File, std::ios::binary | std::ios::trunc) << Bytes;
}

// The entry in the middle of Count entries: its section and its key.
std::string MiddleSection(int Count) { return "Section" + std::to_string(Count / 2 / KeysPerSection); }
std::string MiddleIdent(int Count) { return "Edit" + std::to_string(Count / 2); }

std::string IniText(int Count) {
    std::string text;
    for (int i = 0; i < Count; ++i) {
        if (i % KeysPerSection == 0) text += "[Section" + std::to_string(i / KeysPerSection) + "]\r\n";
        text += "Edit" + std::to_string(i) + "=the saved text of edit " + std::to_string(i) + "\r\n";
    }
    return text;
}

const char RegistryKey[] = "Software\\Halcyra\\Bench";

std::string RegistryText(int Count) {
    std::string text = "# Halcyra settings\n";
    for (int i = 0; i < Count; ++i) {
        text += "HKEY_CURRENT_USER\\" + std::string(RegistryKey) + "\\Section" + std::to_string(i / KeysPerSection) +
                "\tEdit" + std::to_string(i) + "\tREG_SZ\tthe saved text of edit " + std::to_string(i) + "\n";
    }
    return text;
}

// The peer: every line read, the one line starting with Prefix replaced, every line written back.
void RewriteLine(const std::string& File, const std::string& Prefix, const std::string& Line) {
    std::vector<std::string> lines;
    {
        std::ifstream in(File, std::ios::binary);
        std::string line;
        while (std::getline(in, line)) lines.push_back(std::move(line));
    }
    for (std::string& line : lines) {
        if (line.compare(0, Prefix.size(), Prefix) == 0) {
            line = Line;
            break;
        }
    }
    const std::string temporary = File + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        for (const std::string& line : lines) out << line << '\n';
    }
    std::rename(temporary.c_str(), File.c_str());
}

std::string Value(benchmark::State& state) { return state.iterations() % 2 ? "odd text" : "even text"; }

void WriteIni(const std::string& File, int Count, const std::string& Value) {
    TIniFile(File).WriteString(MiddleSection(Count), MiddleIdent(Count), Value);
}
void PeerIni(const std::string& File, int Count, const std::string& Value) {
    // The section holds the key once, so the first line of the key is the one.
    RewriteLine(File, MiddleIdent(Count) + "=", MiddleIdent(Count) + "=" + Value + "\r");
}

void WriteRegistry(int Count, const std::string& Value) {
    TRegIniFile(RegistryKey).WriteString(MiddleSection(Count), MiddleIdent(Count), Value);
}
void PeerRegistry(const std::string& File, int Count, const std::string& Value) {
    const std::string prefix = "HKEY_CURRENT_USER\\" + std::string(RegistryKey) + "\\" + MiddleSection(Count) + "\t" +
                               MiddleIdent(Count) + "\t";
    RewriteLine(File, prefix, prefix + "REG_SZ\t" + Value);
}

// Both sides leave the same bytes from the same file, or the comparison means nothing.
void CheckSameOutput() {
    for (int count : {10000, 100000}) {
        const std::string ours = Folder() + "/ours.ini";
        const std::string peer = Folder() + "/peer.ini";
        SetContents(ours, IniText(count));
        SetContents(peer, IniText(count));
        WriteIni(ours, count, "checked");
        PeerIni(peer, count, "checked");
        if (Contents(ours) != Contents(peer) || Contents(ours) == IniText(count)) {
            std::fprintf(stderr, "INI outputs differ at %d entries\n", count);
            std::exit(1);
        }
        SetRegistryFolderForTest(Folder());
        const std::string store = Folder() + "/registry";
        SetContents(store, RegistryText(count));
        WriteRegistry(count, "checked");
        const std::string written = Contents(store);
        SetContents(store, RegistryText(count));
        PeerRegistry(store, count, "checked");
        if (written != Contents(store) || written == RegistryText(count)) {
            std::fprintf(stderr, "registry outputs differ at %d entries\n", count);
            std::exit(1);
        }
    }
}

void BM_IniWriteString(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::string file = Folder() + "/ours.ini";
    SetContents(file, IniText(count));
    for (auto _ : state) WriteIni(file, count, Value(state));
    state.SetItemsProcessed(state.iterations() * count);
}

void BM_PeerRewriteIni(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::string file = Folder() + "/peer.ini";
    SetContents(file, IniText(count));
    for (auto _ : state) PeerIni(file, count, Value(state));
    state.SetItemsProcessed(state.iterations() * count);
}

void BM_RegIniWriteString(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    SetRegistryFolderForTest(Folder());
    SetContents(Folder() + "/registry", RegistryText(count));
    for (auto _ : state) WriteRegistry(count, Value(state));
    state.SetItemsProcessed(state.iterations() * count);
}

void BM_PeerRewriteRegistry(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::string file = Folder() + "/peer_registry";
    SetContents(file, RegistryText(count));
    for (auto _ : state) PeerRegistry(file, count, Value(state));
    state.SetItemsProcessed(state.iterations() * count);
}

BENCHMARK(BM_IniWriteString)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeerRewriteIni)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegIniWriteString)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeerRewriteRegistry)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------------------
// Count entries written into an empty memory file and saved once, against the same text appended and
// written with std::ofstream and a rename; Count entries read from a memory file, against the file's
// lines read into a hash map and looked up. Both sides of each pair give the same bytes or values.

std::string EntryValue(int I) { return "the saved text of edit " + std::to_string(I); }

void BM_MemIniWriteAll(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::string file = Folder() + "/memory.ini";
    for (auto _ : state) {
        std::filesystem::remove(file);
        TMemIniFile ini(file);
        for (int i = 0; i < count; ++i)
            ini.WriteString("Section" + std::to_string(i / KeysPerSection), "Edit" + std::to_string(i), EntryValue(i));
        ini.UpdateFile();
    }
    if (Contents(file) != IniText(count)) state.SkipWithError("not the peer's bytes");
}

void BM_PeerWriteAll(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::string file = Folder() + "/peer_all.ini";
    for (auto _ : state) {
        const std::string text = IniText(count);
        const std::string temporary = file + ".new";
        std::ofstream(temporary, std::ios::binary | std::ios::trunc) << text;
        std::rename(temporary.c_str(), file.c_str());
    }
    if (Contents(file) != IniText(count)) state.SkipWithError("not the written bytes");
}

void BM_MemIniReadAll(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::string file = Folder() + "/memory_read.ini";
    SetContents(file, IniText(count));
    for (auto _ : state) {
        TMemIniFile ini(file);
        for (int i = 0; i < count; ++i)
            if (ini.ReadString("Section" + std::to_string(i / KeysPerSection), "Edit" + std::to_string(i), "") !=
                EntryValue(i))
                state.SkipWithError("a value read wrong");
    }
}

void BM_PeerReadAll(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::string file = Folder() + "/peer_read.ini";
    SetContents(file, IniText(count));
    for (auto _ : state) {
        std::unordered_map<std::string, std::string> values;
        values.reserve(static_cast<std::size_t>(count));
        std::ifstream in(file, std::ios::binary);
        std::string section;
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty() && line[0] == '[') section = line.substr(1, line.size() - 2);
            else if (const auto equals = line.find('='); equals != std::string::npos)
                values[section + '\t' + line.substr(0, equals)] = line.substr(equals + 1);
        }
        for (int i = 0; i < count; ++i)
            if (values["Section" + std::to_string(i / KeysPerSection) + "\tEdit" + std::to_string(i)] != EntryValue(i))
                state.SkipWithError("a value read wrong");
    }
}

#define ALL_SIZES ->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_PeerWriteAll) ALL_SIZES;
BENCHMARK(BM_MemIniWriteAll) ALL_SIZES;
BENCHMARK(BM_PeerReadAll) ALL_SIZES;
BENCHMARK(BM_MemIniReadAll) ALL_SIZES;

std::string PeerOf(const std::string& Name) {
    if (Name == "BM_MemIniWriteAll") return "BM_PeerWriteAll";
    if (Name == "BM_MemIniReadAll") return "BM_PeerReadAll";
    if (Name == "BM_IniWriteString") return "BM_PeerRewriteIni";
    if (Name == "BM_RegIniWriteString") return "BM_PeerRewriteRegistry";
    return Name;
}

}  // namespace

int main(int argc, char** argv) {
    PeerRatioReporter reporter(PeerOf, {"1000", "10000", "100000"});
    const int status = RunBenchmarks(argc, argv, CheckSameOutput, &reporter);
    SetRegistryFolderForTest("");
    std::filesystem::remove_all(Folder());
    return status;
}
