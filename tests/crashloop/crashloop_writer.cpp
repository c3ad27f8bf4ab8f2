// The writer that `./dev crashloop` kills at random moments. Every round it edits some
// messages of DIR/unit.src through the work store (appends and a rebuild of the work
// file) and saves all of them, moving the file from one version to the next; `check` tells whether the
// file is exactly one whole version (the old or the new, never a mixture).
//   crashloop_writer init DIR     writes version 0
//   crashloop_writer write DIR    rounds of edits and saves until killed
//   crashloop_writer check DIR    prints the file's version; exit 1 when it is damaged
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FakeUserPort.h"
#include "Session.h"
#include "TempDir.h"
#include "storage/SaveFile.h"
#include "storage/ScriptFile.h"
#include "storage/WorkStore.h"

using namespace lt;

namespace {

constexpr int kMessages = 160;
constexpr int kRoundsPerMessage = 20; // each round edits every 20th message
constexpr int kVersionMessage = 1023; // changes every round and names the version

// A draft holds one more statement. Blocks change length from version to version, so
// that offsets move.
std::string block(int version, int m, bool draft = false) {
    std::string text = "V" + std::to_string(version) + " M" + std::to_string(m) + " ";
    text.append(static_cast<size_t>((version * 31 + m * 17) % 300), static_cast<char>('A' + m % 26));
    return "SUB " + std::to_string(m) + "(TASK=" + std::to_string(m % 4) + ")    // CRC value = 1\r\n    PRINT\"" +
           text + "\";\r\n" + (draft ? "    CLS\r\n" : "") + "END SUB\r\n";
}

// The version in which message m last changed, as of file version v.
int lastChange(int v, int m) {
    if (m == kVersionMessage) return v;
    const int u = v - ((v - m) % kRoundsPerMessage + kRoundsPerMessage) % kRoundsPerMessage;
    return u >= 1 ? u : 0;
}

std::string fileOf(int version) {
    std::string file = ScriptHeader("7780", "2");
    for (int m = 0; m < kMessages; ++m) file += block(lastChange(version, m), m) + "\r\n";
    return file + block(version, kVersionMessage) + "\r\n";
}

// The version the file names, or -1.
int versionOf(const std::string& file) {
    size_t at = file.find("SUB " + std::to_string(kVersionMessage) + "(");
    at = at == std::string::npos ? at : file.find("PRINT\"V", at);
    return at == std::string::npos ? -1 : std::atoi(file.c_str() + at + 7);
}

int write(const std::string& dir) {
    PosixFileSystem fs;
    test::FakeUserPort ui;
    Session s(fs, ui);
    s.run.ProgramDir = dir;
    s.run.ScriptEditMode = true;
    const std::string path = dir + "unit.src";
    s.index.CurrentFilePath = path;
    if (ScanScriptFile(s, path).outcome != ScanOutcome::Scanned) return 2;
    int version = versionOf(test::TempDir::readFile(path));
    WorkStore store(s);
    s.msg.CurrentMessage = 0;
    store.LoadMessage(0);
    // Moves to message m as a message change does and types its new block.
    auto edit = [&](int m, const std::string& text) {
        if (!store.StoreMessage(s.msg.CurrentMessage)) std::exit(3);
        s.msg.CurrentMessage = m;
        store.LoadMessage(m);
        s.msg.BlockText = text;
    };
    for (;;) {
        ++version;
        // The messages of this round, the first one first as a draft, so that the work
        // file is rebuilt as well as appended to; then a save of all of them.
        const int first = (version % kRoundsPerMessage);
        edit(first, block(version, first, true));
        for (int m = first; m < kMessages; m += kRoundsPerMessage) edit(m, block(version, m));
        edit(kVersionMessage, block(version, kVersionMessage));
        if (!SaveFile(s, path, path)) return 4;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: crashloop_writer init|write|check DIR\n");
        return 2;
    }
    const std::string command = argv[1];
    std::string dir = argv[2];
    if (dir.back() != '/') dir += '/';
    PosixFileSystem fs;
    if (command == "init") return WriteFileAtomically(fs, dir + "unit.src", fileOf(0)) ? 0 : 1;
    if (command == "write") return write(dir);
    if (command == "check") {
        const std::string file = test::TempDir::readFile(dir + "unit.src");
        const int version = versionOf(file);
        if (version < 0 || file != fileOf(version)) {
            std::fprintf(stderr, "unit.src is no whole version (%zu bytes, names version %d)\n", file.size(), version);
            return 1;
        }
        std::printf("%d\n", version);
        return 0;
    }
    return 2;
}
