#pragma once
#include "BlockDevice.h"
#include "MountInfo.h"
#include "framework/platform/DiskQueries.h"

// The kind of a lettered mount, from its type, its source and, for a device file, what
// sysfs says of the device (an empty TBlockDevice for anything else).
TDriveKind DriveKindOf(const TMount& mount, const TBlockDevice& device);
