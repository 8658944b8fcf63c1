#include "app/CheckPrevious.h"

#include "system/os_error.h"
#include "system/sysutils.h"
#include "system/window_raise.h"

#include <QCryptographicHash>
#include <QFile>

namespace CheckPrevious {
QString mapping_name;
MappingHandle mapping_handle;
InstanceRecord* instance_record;
bool release_on_exit;

void initialize()
{
    mapping_name.clear();
    mapping_handle = kNoMapping;
    instance_record = nullptr;
    release_on_exit = false;
}
} // namespace CheckPrevious

using namespace CheckPrevious;

namespace {

// Bytes past the record that carry its locks. The guard serialises admission and release; every
// admitted instance holds the slot byte shared, so a start after a crash finds it free.
constexpr long kGuardByte = sizeof(InstanceRecord);
constexpr long kSlotByte = kGuardByte + 1;

// Opens the record with its guard held; a record that a releasing instance removed meanwhile is
// created anew.
MappingHandle OpenGuarded(bool& existed)
{
    for (;;) {
        const MappingHandle h = CreateFileMapping(mapping_name, sizeof(InstanceRecord), existed);
        if (h == kNoMapping)
            return h;
        LockByte(h, kGuardByte, ByteLock::Exclusive, true);
        if (MappingStillNamed(h, mapping_name))
            return h;
        CloseHandle(h);
    }
}

bool Admit(std::uint32_t window)
{
    instance_record->window_handle = window;
    instance_record->instance_count = instance_record->instance_count + 1;
    LockByte(mapping_handle, kSlotByte, ByteLock::Shared, true);
    release_on_exit = true;
    return false;
}

} // namespace

QString InstanceRecordName(const QByteArray& executable_file)
{
    return "krv-instance-" + QCryptographicHash::hash(executable_file, QCryptographicHash::Sha256).toHex();
}

bool CheckPreviousInstance(std::uint32_t window, std::int32_t max_instances)
{
    mapping_name = InstanceRecordName(ExecutableFileName());
    bool existed = false;
    mapping_handle = OpenGuarded(existed);
    if (mapping_handle == kNoMapping) {
        if (!existed)
            RaiseLastOSError();
        return true; // there, but not ours to open: refused without touching any window
    }
    struct Unguard {
        ~Unguard()
        {
            try {
                LockByte(mapping_handle, kGuardByte, ByteLock::Unlocked, false);
            } catch (const Exception&) {
                // Closing the handle at the end drops it all the same.
            }
        }
    } unguard;
    instance_record = static_cast<InstanceRecord*>(MapViewOfFile(mapping_handle, sizeof(InstanceRecord)));
    if (!instance_record)
        RaiseLastOSError();

    // The record outlives a crashed process; only the slot lock knows whether any holder still runs.
    const bool no_live_holder = LockByte(mapping_handle, kSlotByte, ByteLock::Exclusive, false);
    if (no_live_holder)
        instance_record->instance_count = 0;
    // A start that created the record may still find a holder: one that opened it first and took the
    // guard before it.
    if ((!existed && no_live_holder) || max_instances > instance_record->instance_count)
        return Admit(window);
    if (no_live_holder)
        LockByte(mapping_handle, kSlotByte, ByteLock::Unlocked, false);
    RaiseWindow(instance_record->window_handle);
    return true;
}

void ReleaseInstanceSlot()
{
    if (release_on_exit) {
        try {
            LockByte(mapping_handle, kGuardByte, ByteLock::Exclusive, true);
            instance_record->instance_count = instance_record->instance_count - 1;
            LockByte(mapping_handle, kSlotByte, ByteLock::Unlocked, false);
            // No one else holds a slot: the last instance takes the record with it.
            if (LockByte(mapping_handle, kSlotByte, ByteLock::Exclusive, false))
                DeleteFileMapping(mapping_name);
        } catch (const Exception&) {
            // Finalisation goes on: the next start finds no live holder and takes the record over.
        }
        release_on_exit = false;
    }
    if (instance_record)
        UnmapViewOfFile(instance_record, sizeof(InstanceRecord));
    if (mapping_handle != kNoMapping)
        CloseHandle(mapping_handle);
    initialize();
}
