// Storage figures: scanning, fetching, saving and rebuilding the work file, and the
// memory a scan holds.
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "Benches.h"
#include "storage/Crc.h"
#include "storage/FileSystem.h"
#include "storage/SaveFile.h"
#include "storage/ScriptFile.h"
#include "storage/WorkStore.h"

namespace {

// A four-line block as Quick Edit writes it.
std::string FullBlock(int n) {
    std::string body = "\r\n// Caution! Manually editing will prevent Quick Edit from loading this message.\r\n\r\n";
    for (int line = 1; line <= 4; ++line) {
        body += "LINE" + std::to_string(line) + ":\r\n    CALL CURSOR(" + std::to_string(line) + ",1)\r\n";
        body += "    PRINT\"Message " + std::to_string(n) + " line " + std::to_string(line) + " text..\";\r\n";
    }
    return "SUB " + std::to_string(n) + "(TASK=0)    // CRC value =" + std::to_string(lt::CalcCrc(body)) + "\r\n" +
           body + "END SUB\r\n";
}

std::string FullFile() {
    std::string text = lt::ScriptHeader("7780", "2");
    for (int n = 0; n < lt::kMessageCount; ++n) text += FullBlock(n) + "\r\n";
    return text;
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

void durableCopy(lt::FileSystem& fs, const std::string& from, const std::string& to) {
    std::string content;
    lt::ReadWholeFile(fs, from, content);
    auto out = fs.openWrite(to, false);
    out->write(content);
    out->sync();
    out->close();
}

size_t plainLineRead(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    size_t lines = 0;
    while (std::getline(in, line)) ++lines;
    return lines;
}

long peakKilobytes(const std::string& self, const std::string& path) {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], 1);
        execl(self.c_str(), self.c_str(), "--scan-memory", path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    char buffer[64] = {};
    ssize_t n = read(fds[0], buffer, sizeof buffer - 1);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return n > 0 ? std::atol(buffer) : -1;
}

} // namespace

int ScanMemoryChild(const char* path) {
    lt::PosixFileSystem fs;
    lt::bench::QuietPort ui;
    lt::Session s(fs, ui);
    lt::ScanScriptFile(s, path);
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) std::printf("%ld\n", std::atol(line.c_str() + 6));
    return 0;
}

namespace lt::bench {

void StorageBenches(Results& results, const std::string& dir) {
    PosixFileSystem fs;
    lt::bench::QuietPort ui;
    const std::string file = dir + "full.src";
    writeFile(file, FullFile());

    auto openSession = [&](Session& s) {
        s.run.ProgramDir = dir;
        s.msg.LineCount = 4;
        WorkStore(s).ClearIndex();
        s.index.CurrentFilePath = file;
        ScanScriptFile(s, file);
    };

    {
        double scan = bestSeconds([&] {
            Session s(fs, ui);
            openSession(s);
        });
        double floor = bestSeconds([&] { plainLineRead(file); });
        results.report("scan", scan / floor, 2.0);
    }
    {
        Session s(fs, ui);
        openSession(s);
        WorkStore store(s);
        double far = bestSeconds([&] { store.LoadMessage(1023); }, 15, 50);
        double near = bestSeconds([&] { store.LoadMessage(0); }, 15, 50);
        results.report("fetch_far", far / near, 1.5);
    }
    {
        const std::string targets[2] = {dir + "saved-a.src", dir + "saved-b.src"};
        const std::string copy = dir + "copy.src";
        Session s(fs, ui);
        openSession(s);
        WorkStore(s).LoadMessage(0);
        int round = 0;
        double save = bestSeconds([&] {
            s.run.HeaderChanged = true;
            SaveFile(s, s.index.CurrentFilePath, targets[++round % 2]);
        });
        double floor = bestSeconds([&] { durableCopy(fs, file, copy); });
        results.report("save", save / floor, 3.0, "floor: copy with fsync");
    }
    {
        Session s(fs, ui);
        openSession(s);
        WorkStore store(s);
        for (int n = 0; n < kMessageCount; ++n) {
            s.msg.CurrentMessage = n;
            store.LoadMessage(n);
            s.msg.BlockText += "// edited\r\n";
            store.StoreMessage(n);
        }
        s.msg.CurrentMessage = 500;
        store.LoadMessage(500);
        int round = 0;
        double rebuild = bestSeconds([&] {
            s.msg.BlockText += "// again " + std::to_string(++round) + "\r\n";
            store.StoreMessage(500);
            store.LoadMessage(500);
        });
        double floor = bestSeconds([&] { durableCopy(fs, s.index.WorkFilePath, dir + "workcopy"); });
        results.report("rebuild", rebuild / floor, 4.0, "floor: copy with fsync");
    }
    {
        const std::string big = dir + "big.src";
        {
            std::ofstream out(big, std::ios::binary);
            std::string text = FullFile();
            for (size_t written = 0; written < 50u * 1024 * 1024; written += text.size()) out << text;
        }
        const std::string empty = dir + "empty.src";
        writeFile(empty, "");
        char self[4096] = {};
        ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
        std::string exe = n > 0 ? std::string(self, static_cast<size_t>(n)) : "";
        long bigKb = peakKilobytes(exe, big);
        long emptyKb = peakKilobytes(exe, empty);
        double mb = (bigKb - emptyKb) / 1024.0;
        results.report("scan_memory", mb, 2.0, "MB above an empty scan");
        std::remove(big.c_str());
    }
}

} // namespace lt::bench
