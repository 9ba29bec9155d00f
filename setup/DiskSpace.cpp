// The free space of drive C:.
#include "DiskSpace.h"

#include <windows.h>

uint64_t GetAvailableSpace() {
    DWORD sectorsPerCluster = 0;
    DWORD bytesPerSector = 0;
    DWORD freeClusters = 0;
    DWORD totalClusters = 0;
    if (!GetDiskFreeSpaceA("C:\\", &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters)) return 0;
    return uint64_t(freeClusters) * sectorsPerCluster * bytesPerSector;
}
