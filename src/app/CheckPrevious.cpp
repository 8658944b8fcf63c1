#include "app/CheckPrevious.h"

#include "system/os_error.h"
#include "system/sysutils.h"
#include "system/window_raise.h"

namespace CheckPrevious {
QString mapping_name;
MappingHandle mapping_handle = kNoMapping;
InstanceRecord* instance_record = nullptr;
bool release_on_exit = false;
std::unique_ptr<NamedLock> slot_lock;
} // namespace CheckPrevious

using namespace CheckPrevious;

namespace {

// Serialises admission and release between the starts of one path.
class Guard : public NamedLock {
public:
    Guard() : NamedLock(mapping_name + ".guard") { Exclusive(); }
};

bool Admit(std::uint32_t window)
{
    instance_record->window_handle = window;
    instance_record->instance_count = instance_record->instance_count + 1;
    slot_lock->Shared();
    release_on_exit = true;
    return false;
}

} // namespace

bool CheckPreviousInstance(std::uint32_t window, std::int32_t max_instances)
{
    mapping_name = ExecutablePath().remove('/');
    Guard guard;

    bool existed = false;
    mapping_handle = CreateFileMapping(mapping_name, sizeof(InstanceRecord), existed);
    if (mapping_handle == kNoMapping) {
        if (!existed)
            RaiseLastOSError();
        return true; // there, but not ours to open: refused without touching any window
    }
    instance_record = static_cast<InstanceRecord*>(MapViewOfFile(mapping_handle, sizeof(InstanceRecord)));
    if (!instance_record)
        RaiseLastOSError();

    // The record outlives its processes; only the lock knows whether any holder still runs.
    slot_lock = std::make_unique<NamedLock>(mapping_name + ".slot");
    const bool no_live_holder = slot_lock->TryExclusive();
    if (no_live_holder)
        instance_record->instance_count = 0;
    if (!existed || max_instances > instance_record->instance_count)
        return Admit(window);
    if (no_live_holder)
        slot_lock->Unlock();
    RaiseWindow(instance_record->window_handle);
    return true;
}

void ReleaseInstanceSlot()
{
    if (release_on_exit) {
        std::unique_ptr<Guard> guard;
        try {
            guard = std::make_unique<Guard>();
        } catch (const Exception&) {
            // Finalisation goes on unguarded: a racing start at worst sees a stale count.
        }
        instance_record->instance_count = instance_record->instance_count - 1;
        release_on_exit = false;
    }
    slot_lock.reset();
    if (instance_record)
        UnmapViewOfFile(instance_record, sizeof(InstanceRecord));
    instance_record = nullptr;
    if (mapping_handle != kNoMapping)
        CloseHandle(mapping_handle);
    mapping_handle = kNoMapping;
    mapping_name.clear();
}
