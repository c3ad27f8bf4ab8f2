#include "emulator/EmulatedUnit.h"

#include <cstdio>

#include "common/ToolFiles.h"

namespace lt::emulator {

namespace {

// The display file changes many times a second while a message scrolls: it is replaced
// by a rename (readers never see half a file) but not flushed to disk each time.
void replaceFile(const std::string& path, const std::string& text) {
    const std::string temp = path + ".tmp";
    FILE* out = std::fopen(temp.c_str(), "wb");
    if (!out) return;
    bool ok = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    ok = std::fclose(out) == 0 && ok;
    if (ok) std::rename(temp.c_str(), path.c_str());
    else std::remove(temp.c_str());
}

// The text of the display file for the machine's current state.
std::string displayText(const Machine& machine, int unitType) {
    const Display& d = machine.display();
    std::string text;
    for (int row = 1; row <= d.rows(); ++row) text += d.rowText(row) + "\n";
    text += "--\n";
    text += "unit " + std::to_string(unitType) + "\n";
    text += std::string("relay ") + (machine.relay() ? "ON" : "OFF") + "\n";
    for (int row = 1; row <= d.rows(); ++row) {
        std::string mask = d.blinkMask(row);
        if (mask.find('*') != std::string::npos) text += "blink " + std::to_string(row) + " " + mask + "\n";
    }
    return text;
}

} // namespace

EmulatedUnit::EmulatedUnit(const protocol::UnitInfo& info, int address, char placeholder, const UnitFiles& files)
    : machine_(info.rows, info.version), server_(machine_, info, address), address_(address), type_(info.type),
      files_(files) {
    machine_.setPlaceholder(placeholder);
}

EmulatedUnit::~EmulatedUnit() {
    // Programming that ended just before the emulator was stopped is kept too.
    if ((server_.flashChanged() || flashDirty_) && !files_.flashFile.empty())
        tools::writeFileAtomically(files_.flashFile, machine_.flash());
}

bool EmulatedUnit::loadFlash(std::string& error) {
    if (files_.flashFile.empty() || !tools::fileExists(files_.flashFile)) return true;
    std::string image;
    if (!tools::readWholeFile(files_.flashFile, image) || !machine_.setFlash(image)) {
        error = "the flash file " + files_.flashFile + " is not a 32,768-byte image";
        return false;
    }
    return true;
}

void EmulatedUnit::updateFiles(int quietMs) {
    flashDirty_ = server_.flashChanged() || flashDirty_;
    std::string serial = machine_.takeSerialOutput();
    if (!serial.empty()) {
        if (files_.serialLog.empty()) {
            std::fwrite(serial.data(), 1, serial.size(), stdout);
            std::fflush(stdout);
        } else if (FILE* log = std::fopen(files_.serialLog.c_str(), "ab")) {
            std::fwrite(serial.data(), 1, serial.size(), log);
            std::fclose(log);
        }
    }
    if (!files_.displayFile.empty() &&
        (machine_.display().changes() != shownChanges_ || machine_.relay() != shownRelay_)) {
        shownChanges_ = machine_.display().changes();
        shownRelay_ = machine_.relay();
        replaceFile(files_.displayFile, displayText(machine_, type_));
    }
    if (flashDirty_ && !files_.flashFile.empty() && quietMs > 100) {
        tools::writeFileAtomically(files_.flashFile, machine_.flash());
        flashDirty_ = false;
    }
}

} // namespace lt::emulator
