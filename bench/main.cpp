#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "Benches.h"

int ScanMemoryChild(const char* path); // bench_storage.cpp

int main(int argc, char* argv[]) {
    if (argc == 3 && std::strcmp(argv[1], "--scan-memory") == 0) return ScanMemoryChild(argv[2]);
    std::string pattern = (std::filesystem::temp_directory_path() / "lt-bench-XXXXXX").string();
    std::string dir = std::string(::mkdtemp(pattern.data())) + "/";
    lt::bench::Results results;
    lt::bench::StorageBenches(results, dir);
    lt::bench::ToolchainBenches(results, dir);
    lt::bench::ToolBenches(results, dir);
    lt::bench::QuickEditBenches(results, dir);
    lt::bench::UnitBenches(results);
    lt::bench::FleetBenches(results);
    lt::bench::AttributeBenches(results, dir);
    lt::bench::PrintBenches(results, dir);
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    return results.failed == 0 ? 0 : 1;
}
