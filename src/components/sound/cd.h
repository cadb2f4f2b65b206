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

// A cdrdao TOC file's text with the relative names of its audio and data files made absolute
// against `folder`, where the TOC file lies; unchanged when `folder` cannot be written into it.
std::string AbsoluteTocText(const std::string& toc, const std::string& folder);

// Whether the end of a file, `tail`, holds an NRG footer and a chunk list that stays inside the
// file (`tailOffset` is where `tail` starts in it). libcdio trusts those chunks and crashes on
// damaged ones, so an image whose footer is there but whose chunks are not sound is refused.
// `dataTracks`, when given, receives the numbers of the tracks its cue points mark as data.
enum class NrgLayout { None, Sound, Damaged };
NrgLayout CheckNrgLayout(const std::string& tail, uint64_t tailOffset,
                         std::vector<int>* dataTracks = nullptr);
