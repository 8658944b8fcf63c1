#pragma once
// Admits one running copy of the executable per path and user; a further start hands over to its window.
#include "system/shared_memory.h"

#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <cstdint>

// Shared by every start of one executable path by one user.
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
void initialize();
} // namespace CheckPrevious

// The record's name for an executable path's bytes: one per path, and two paths never share one.
QString InstanceRecordName(const QByteArray& executable_file);
// True when the start is refused and must end; the admitted instance's window is then raised.
bool CheckPreviousInstance(std::uint32_t window, std::int32_t max_instances);
// Gives the slot back at program end; the last instance removes the record.
void ReleaseInstanceSlot();
