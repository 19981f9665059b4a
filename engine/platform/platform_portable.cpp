#include <sys/mman.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>

#include "platform/mailbox.h"
#include "jobs/notification_inbox.h"

namespace scramblo {
namespace platform {

PostResult postNotification(NotifyTarget target, uint32_t, uintptr_t code, uintptr_t value) {
    return static_cast<Mailbox*>(target)->put(code, value);
}

std::optional<Notification> takeNotification(NotifyTarget target,
                                             std::chrono::milliseconds timeout) {
    return static_cast<Mailbox*>(target)->take(timeout);
}

void discardNotifications(NotifyTarget target) {
    static_cast<Mailbox*>(target)->discardAll();
}

bool waitForRoom(NotifyTarget target, uint32_t milliseconds) {
    return static_cast<Mailbox*>(target)->waitForRoom(std::chrono::milliseconds(milliseconds));
}

uint32_t tickCount() {
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void* reserveMemory(size_t bytes) {
    // Large pages start at multiples of their size: room for one more, and
    // the ends that fall outside them given back at once.
    constexpr size_t kLargePage = size_t{2} << 20;
    if (bytes == 0 || bytes > SIZE_MAX - kLargePage) return nullptr;
    void* mapped = mmap(nullptr, bytes + kLargePage, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (mapped == MAP_FAILED) return nullptr;
    char* start = static_cast<char*>(mapped);
    char* aligned = reinterpret_cast<char*>((reinterpret_cast<uintptr_t>(start) + kLargePage - 1) &
                                            ~(kLargePage - 1));
    if (aligned != start) munmap(start, static_cast<size_t>(aligned - start));
    munmap(aligned + bytes, static_cast<size_t>(start + kLargePage - aligned));
#ifdef MADV_HUGEPAGE
    madvise(aligned, bytes, MADV_HUGEPAGE);  // only a hint: small pages serve as well
#endif
    return aligned;
}

void releaseMemory(void* memory, size_t bytes) {
    if (memory != nullptr) munmap(memory, bytes);
}

std::string programFolder() {
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.parent_path().string();
}

}  // namespace platform

NotificationInbox::NotificationInbox() : target_(&mailbox_) {}

NotificationInbox::~NotificationInbox() = default;

}  // namespace scramblo
