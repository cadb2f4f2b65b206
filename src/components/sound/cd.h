#pragma once
// Audio CDs on drives and in CD images, read through libcdio (with paranoia on real drives).

#include <memory>
#include <string>
#include <vector>

#include "components/sound/source.h"

std::vector<std::string> CdDriveList();
bool CdReady(const std::string& drive);
int CdTrackCount(const std::string& drive);
// Bytes of the 0-based track `index`; negative for a data track or on failure.
int64_t CdTrackBytes(const std::string& drive, int index);
// Opens the disc's track `number` (1-based).
std::unique_ptr<SoundSource> OpenCdSource(const std::string& drive, int number, ZSoundError* error);
