#pragma once
// Zephonic's sound library: decoding (FFmpeg), output and mixing (SDL2 or memory), audio CDs
// (libcdio), internet radio (HTTP with ICY metadata), parametric equalizer effects and FFT data.
//
// All functions are called from one thread (the GUI thread); decoding, output and downloads run
// on threads of their own. Handles are 32-bit and 0 means failure; after a failure
// ZSoundErrorCode() tells why. Positions and lengths are byte counts of the decoded stream,
// which is always 16-bit stereo at the source's sample rate (4 bytes per frame), so 44.1 kHz
// audio has 176,400 bytes per second. Nothing here throws.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using ZSoundHandle = uint32_t;

// The interface version this header describes; ZSoundVersion() reports the library's.
constexpr uint32_t kZSoundInterfaceVersion = 0x00010000;

enum class ZSoundError {
  Ok = 0,
  NotInitialized,  // ZSoundInit has not succeeded yet
  AlreadyInitialized,
  Device,       // the output device cannot be opened
  FileOpen,     // the file or drive cannot be opened
  Format,       // the data is not a supported sound format
  Handle,       // the handle is not valid
  NotSeekable,  // position requested on a stream that cannot seek
  Position,     // the position is beyond the end
  Network,      // connection refused, lost or answered with an error status
  Timeout,      // the server did not answer in time
  Certificate,  // the server's TLS certificate does not verify
  Parameter,    // an argument is out of range
  NoTrack,      // the CD has no such audio track
  Unknown,
};

// Channel flags. The speaker flags route a stereo channel to one pair of a multichannel device;
// without one, it plays on the front pair.
enum ZSoundFlags : uint32_t {
  kZSoundInitSpeakers = 0x800,       // ZSoundInit: open the device with all its speakers
  kZSoundStreamMetadata = 0x400000,  // ZSoundOpenUrl: ask the server for ICY metadata
  kZSoundSpeakerFront = 0x1000000,
  kZSoundSpeakerRear = 0x2000000,
  kZSoundSpeakerCenterLfe = 0x3000000,
  kZSoundSpeakerRear2 = 0x4000000,
};

// The device that renders into memory instead of a sound card; read it with ZSoundRenderMemory.
constexpr int kZSoundMemoryDevice = 0;

// Leave an attribute as it is in ZSoundSetAttributes and ZSoundSlideAttributes.
constexpr int kZSoundKeep = INT32_MIN;

enum class ZSoundActivity { Stopped = 0, Playing = 1, Stalled = 2, Paused = 3 };

enum class ZSoundTags { IcyHeaders = 4, Metadata = 5 };

struct ZSoundAttributes {
  int rate = 0;    // Hz; changes speed and pitch together
  int volume = 0;  // 0-100
  int pan = 0;     // -100 (left only) to 100 (right only)
};

struct ZSoundEqParameters {
  float center = 1000.0f;   // Hz
  float bandwidth = 12.0f;  // semitones
  float gain = 0.0f;        // dB, -15 to +15
};

// Called on the download thread with each block of the raw stream (ICY metadata taken out),
// then once with (nullptr, 0) when the download ends.
using ZSoundDownloadCallback = std::function<void(const uint8_t* data, size_t size)>;

uint32_t ZSoundVersion();
ZSoundError ZSoundErrorCode();
const char* ZSoundErrorText(ZSoundError error);

// Output devices, numbered from 1 (device 1 is the system's default output).
bool ZSoundDeviceDescription(int device, std::string* description);
bool ZSoundInit(int device, int frequency, uint32_t flags);
void ZSoundFree();         // frees every channel, then closes the device
int ZSoundSpeakerCount();  // speakers of the open device; 0 without speaker assignment
// Mixes the next `frames` frames of the memory device (ZSoundSpeakerCount() or 2 channels,
// interleaved floats) and advances its clock.
bool ZSoundRenderMemory(int frames, std::vector<float>* out);
int ZSoundOutputChannels();

// Opening. Every format FFmpeg decodes works through either function; the flags are speaker flags.
// A URL whose server answers with a file (a Content-Length and no ICY headers) gives a channel
// that has a length and seeks, fetching parts by range requests; live streams do neither. For a
// file, the download callback sees its bytes once each, in order, as far as they have arrived
// without a gap from the start.
ZSoundHandle ZSoundOpenFile(const std::string& path, uint32_t flags);
ZSoundHandle ZSoundOpenUrl(const std::string& url, uint32_t flags,
                           ZSoundDownloadCallback download = {});
void ZSoundSetNetTimeouts(int connectMs, int readMs);
bool ZSoundFreeChannel(ZSoundHandle channel);

// Transport.
bool ZSoundPlay(ZSoundHandle channel, bool restart);
bool ZSoundPause(ZSoundHandle channel);
bool ZSoundStop(ZSoundHandle channel);
ZSoundActivity ZSoundIsActive(ZSoundHandle channel);

// Positions and lengths in bytes; -1 when unknown or on failure.
int64_t ZSoundGetPosition(ZSoundHandle channel);
bool ZSoundSetPosition(ZSoundHandle channel, int64_t bytes);
int64_t ZSoundGetLength(ZSoundHandle channel);
double ZSoundBytesToSeconds(ZSoundHandle channel, int64_t bytes);
int64_t ZSoundSecondsToBytes(ZSoundHandle channel, double seconds);

// Attributes. kZSoundKeep leaves one unchanged. A slide moves from the current values to the
// given ones over `ms` milliseconds of output, sample by sample.
bool ZSoundGetAttributes(ZSoundHandle channel, ZSoundAttributes* attributes);
bool ZSoundSetAttributes(ZSoundHandle channel, int rate, int volume, int pan);
bool ZSoundSlideAttributes(ZSoundHandle channel, int rate, int volume, int pan, int ms);
bool ZSoundIsSliding(ZSoundHandle channel);

// 512 FFT magnitudes of the last 1024 samples the channel sounded (Hann window, mono mix).
bool ZSoundGetFft(ZSoundHandle channel, std::vector<float>* magnitudes);

// ICY headers (IcyHeaders) or current metadata (Metadata): NUL-separated texts ended by an empty
// one; empty when there are none.
std::string ZSoundGetTags(ZSoundHandle channel, ZSoundTags type);

// Parametric equalizer bands, any number per channel; they go with their channel.
ZSoundHandle ZSoundAddEq(ZSoundHandle channel);
bool ZSoundSetEq(ZSoundHandle effect, const ZSoundEqParameters& parameters);
bool ZSoundGetEq(ZSoundHandle effect, ZSoundEqParameters* parameters);
bool ZSoundRemoveEq(ZSoundHandle effect);

// Tracker modules (MOD, XM, IT, S3M, MTM): playback length in bytes at 44.1 kHz, -1 on failure.
int64_t ZSoundModuleLength(const std::string& path);

// Audio CDs. A drive is a device path (/dev/sr0) or a CD image (.cue, .toc, .nrg).
std::vector<std::string> ZSoundCdDrives();
bool ZSoundCdIsReady(const std::string& drive);
int ZSoundCdTrackCount(const std::string& drive);  // -1 on failure
// Length of track `track` (0-based) in bytes; negative for data tracks and on failure.
int64_t ZSoundCdTrackLength(const std::string& drive, int track);
// Opens track `track` (1-based, as on the disc).
ZSoundHandle ZSoundOpenCdTrack(const std::string& drive, int track, uint32_t flags);
