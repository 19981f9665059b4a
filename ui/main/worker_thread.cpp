#include "worker_thread.h"

namespace scramblo::ui {
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

bool WorkerThread::waitForEnd(DWORD timeoutMs) {
    if (handle_ == nullptr) return true;
    if (WaitForSingleObject(handle_, timeoutMs) != WAIT_OBJECT_0) return false;
    CloseHandle(handle_);
    handle_ = nullptr;
    return true;
}

}  // namespace scramblo::ui
