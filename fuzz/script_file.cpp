// Arbitrary bytes as a script file: scanning, then fetching every indexed message.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FakeUserPort.h"
#include "MemoryFileSystem.h"
#include "storage/ScriptFile.h"
#include "storage/WorkStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lt::test::MemoryFileSystem fs;
    lt::test::FakeUserPort ui;
    ui.answers.assign(4, lt::Answer::No);
    lt::Session s(fs, ui);
    s.run.ProgramDir = "/prog/";
    fs.files["/doc/a.src"] = std::string(reinterpret_cast<const char*>(data), size);
    s.index.CurrentFilePath = "/doc/a.src";
    lt::ScanScriptFile(s, "/doc/a.src");
    lt::WorkStore store(s);
    for (int n = 0; n < lt::kMessageCount; ++n) {
        if (s.index.MessageState[n] == 0) continue;
        store.LoadMessage(n);
    }
    return 0;
}
