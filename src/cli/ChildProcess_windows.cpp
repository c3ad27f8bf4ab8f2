// ChildProcess on Windows: CreateProcessW with the output on a pipe, the input and the
// diagnostics on NUL, a wide environment block; waiting polls the pipes and processes.
#include "ChildProcess.h"

#include <algorithm>
#include <map>
#include <cwchar>
#include <cwctype>
#include <windows.h>

#include "platform/WindowsFiles.h"

namespace lt {

using platform::Narrow;
using platform::Widen;

struct ChildProcess::Impl {
    HANDLE process = nullptr;
    HANDLE output = nullptr; // read end of the child's standard output
    bool ended = false;
    int status = -1;
};

namespace {

std::wstring upper(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

// This program's environment with the given NAME=VALUE entries added or replacing theirs
// (names ignore letter case, as the system's do), as a block for CreateProcessW.
std::wstring environmentBlock(const std::vector<std::string>& added) {
    auto nameOf = [](const std::wstring& entry) { return upper(entry.substr(0, entry.find(L'=', 1) + 1)); };
    std::map<std::wstring, std::wstring> byName; // sorted by name, as the system wants it
    wchar_t* own = ::GetEnvironmentStringsW();
    for (const wchar_t* p = own; p && *p; p += wcslen(p) + 1) byName[nameOf(p)] = p;
    if (own) ::FreeEnvironmentStringsW(own);
    for (const std::string& e : added) {
        const std::wstring entry = Widen(e);
        byName[nameOf(entry)] = entry;
    }
    std::wstring block;
    for (const auto& named : byName) {
        block += named.second;
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

bool outputWaiting(HANDLE pipe) {
    DWORD available = 0;
    return !::PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) || available > 0;
}

} // namespace

ChildProcess::ChildProcess(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

ChildProcess::~ChildProcess() {
    if (!impl_->ended) {
        ::TerminateProcess(impl_->process, 1);
        ::WaitForSingleObject(impl_->process, INFINITE);
    }
    if (impl_->output) ::CloseHandle(impl_->output);
    ::CloseHandle(impl_->process);
}

std::unique_ptr<ChildProcess> ChildProcess::start(const std::string& program, const std::vector<std::string>& arguments,
                                                  const std::vector<std::string>& environment, std::string& error) {
    std::wstring commandLine = platform::CommandLineOf(program, arguments);
    std::wstring block = environmentBlock(environment);

    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        error = "no pipe (Windows error " + std::to_string(::GetLastError()) + ")";
        return nullptr;
    }
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    HANDLE nul = ::CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                               OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul;
    startup.hStdOutput = writeEnd;
    startup.hStdError = nul;
    PROCESS_INFORMATION info{};
    const BOOL started = ::CreateProcessW(Widen(program).c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                          CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT, block.data(), nullptr,
                                          &startup, &info);
    const DWORD why = ::GetLastError();
    ::CloseHandle(writeEnd);
    if (nul != INVALID_HANDLE_VALUE) ::CloseHandle(nul);
    if (!started) {
        ::CloseHandle(readEnd);
        wchar_t* text = nullptr;
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, why, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
        error = text ? Narrow(text) : "Windows error " + std::to_string(why);
        if (text) ::LocalFree(text);
        while (!error.empty() && (error.back() == '\n' || error.back() == '\r' || error.back() == '.'))
            error.pop_back();
        return nullptr;
    }
    ::CloseHandle(info.hThread);
    auto impl = std::make_unique<Impl>();
    impl->process = info.hProcess;
    impl->output = readEnd;
    return std::unique_ptr<ChildProcess>(new ChildProcess(std::move(impl)));
}

void ChildProcess::readOutput(std::string& out) {
    char buffer[4096];
    while (impl_->output) {
        DWORD available = 0;
        if (!::PeekNamedPipe(impl_->output, nullptr, 0, nullptr, &available, nullptr)) {
            ::CloseHandle(impl_->output); // the child closed its output: it is ending
            impl_->output = nullptr;
            return;
        }
        if (available == 0) return;
        DWORD got = 0;
        if (!::ReadFile(impl_->output, buffer, std::min<DWORD>(available, sizeof buffer), &got, nullptr)) return;
        out.append(buffer, got);
    }
}

bool ChildProcess::finished() {
    if (impl_->ended) return true;
    if (::WaitForSingleObject(impl_->process, 0) != WAIT_OBJECT_0) return false;
    DWORD code = 0;
    impl_->ended = true;
    impl_->status = ::GetExitCodeProcess(impl_->process, &code) ? static_cast<int>(code) : -1;
    return true;
}

int ChildProcess::exitCode() const { return impl_->status; }

void ChildProcess::kill() {
    if (!impl_->ended) ::TerminateProcess(impl_->process, 1);
}

void ChildProcess::waitAny(const std::vector<ChildProcess*>& children, int timeoutMs) {
    // An anonymous pipe cannot be waited on: look at the pipes, then wait on the processes
    // in short slices. A child whose output is closed tells of its end by its process.
    std::vector<HANDLE> processes;
    bool outputClosed = false;
    for (ChildProcess* child : children) {
        processes.push_back(child->impl_->process);
        if (!child->impl_->output) outputClosed = true;
        else if (outputWaiting(child->impl_->output)) return;
    }
    const int wait = std::max(outputClosed ? std::min(timeoutMs, 10) : timeoutMs, 0);
    const ULONGLONG until = ::GetTickCount64() + static_cast<ULONGLONG>(wait);
    for (ULONGLONG now = ::GetTickCount64(); now < until && !processes.empty(); now = ::GetTickCount64()) {
        const DWORD slice = static_cast<DWORD>(std::min<ULONGLONG>(until - now, 10));
        if (::WaitForMultipleObjects(static_cast<DWORD>(processes.size()), processes.data(), FALSE, slice) !=
            WAIT_TIMEOUT)
            return;
        for (ChildProcess* child : children)
            if (child->impl_->output && outputWaiting(child->impl_->output)) return;
    }
}

std::string ProgramDirectory() {
    std::wstring self(32768, L'\0');
    const DWORD n = ::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
    if (n == 0 || n >= self.size()) return ".\\";
    self.resize(n);
    const std::string path = Narrow(self);
    return path.substr(0, path.find_last_of("\\/") + 1);
}

} // namespace lt
