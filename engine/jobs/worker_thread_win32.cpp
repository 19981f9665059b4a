#include <windows.h>

#include "jobs/worker_thread.h"

namespace scramblo {
namespace {

DWORD WINAPI threadEntry(void* finder) {
    return workerMain(finder);
}

}  // namespace

bool WorkerThread::start(Finder& finder) {
    if (running()) return false;
    handle_ = CreateThread(nullptr, 0, threadEntry, &finder, 0, nullptr);
    return handle_ != nullptr;
}

bool WorkerThread::running() const {
    return handle_ != nullptr;
}

bool WorkerThread::waitForEnd(uint32_t timeoutMs) {
    if (handle_ == nullptr) return true;
    DWORD wait = timeoutMs == kForever ? INFINITE : timeoutMs;
    if (WaitForSingleObject(handle_, wait) != WAIT_OBJECT_0) return false;
    CloseHandle(handle_);
    handle_ = nullptr;
    return true;
}

}  // namespace scramblo
