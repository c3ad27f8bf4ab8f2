#include "RunProgram.h"

#include <windows.h>

#include "platform/WindowsFiles.h"

namespace lt::test {

using platform::Widen;

namespace {

HANDLE inheritableFile(const std::string& path) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return ::CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

int RunProgram(const ProgramCall& call) {
    // The program is named by the command line alone, so "lumatext" finds lumatext.exe.
    std::wstring commandLine = platform::CommandLineOf(call.program, call.arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    HANDLE out = call.outputFile.empty() ? ::GetStdHandle(STD_OUTPUT_HANDLE) : inheritableFile(call.outputFile);
    HANDLE err = call.errorFile.empty() ? ::GetStdHandle(STD_ERROR_HANDLE) : inheritableFile(call.errorFile);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    const std::wstring directory = Widen(call.workingDirectory);
    const BOOL started = out != INVALID_HANDLE_VALUE && err != INVALID_HANDLE_VALUE &&
                         ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                          CREATE_NO_WINDOW, nullptr, directory.empty() ? nullptr : directory.c_str(),
                                          &startup, &process);
    if (!call.outputFile.empty() && out != INVALID_HANDLE_VALUE) ::CloseHandle(out);
    if (!call.errorFile.empty() && err != INVALID_HANDLE_VALUE) ::CloseHandle(err);
    if (!started) return -1;
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    const BOOL ok = ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return ok ? static_cast<int>(code) : -1;
}

} // namespace lt::test
