// Every group of benchmarks; main() runs them in this order.
#pragma once

#include "Bench.h"

namespace lt::bench {

void StorageBenches(Results& results, const std::string& workDir);
void ToolchainBenches(Results& results, const std::string& workDir);
void ToolBenches(Results& results, const std::string& workDir);
void QuickEditBenches(Results& results, const std::string& workDir);
void UnitBenches(Results& results);
void FleetBenches(Results& results);
void AttributeBenches(Results& results, const std::string& workDir);
void PrintBenches(Results& results, const std::string& workDir);

} // namespace lt::bench
