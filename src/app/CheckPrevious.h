#pragma once
// Admits one running copy of the executable per path; a further start hands over to its window.
#include "system/shared_memory.h"

#include <QString>
#include <QtEndian>
#include <cstdint>
#include <memory>

// Shared by every start of one executable path.
struct InstanceRecord {
    quint32_le window_handle; // window of the most recently admitted instance
    qint32_le instance_count; // admitted instances still running
};
static_assert(sizeof(InstanceRecord) == 8);

namespace CheckPrevious {
extern QString mapping_name;
extern MappingHandle mapping_handle;
extern InstanceRecord* instance_record;
extern bool release_on_exit; // true only while this instance holds a slot
// Held shared while this instance holds a slot, so that a start after a crash finds it free.
extern std::unique_ptr<NamedLock> slot_lock;
} // namespace CheckPrevious

// True when the start is refused and must end; the admitted instance's window is then raised.
bool CheckPreviousInstance(std::uint32_t window, std::int32_t max_instances);
// Gives the slot back at program end.
void ReleaseInstanceSlot();
