#pragma once
// The groups of settings that the settings dialog collects edits for. Apply handles the marked
// groups in exactly this order.

enum class TZConfigGroup {
  Skin,
  Language,
  TagReading,
  TimeReading,
  FileCheck,
  PlayMode,
  Analyser,
  Memory,
  CrossFader,
  VolumeFader,
  NetRadio,
  Video,
  Display,
  TimeJump,
  Update,
  FileTypes,
  Osd,
  PlaylistDrawing,
  Remember,
  Search,
  OutputDevice,
  StatusBar,
  ColourControls,
  DvdScript,
  AudioLanguage,
  Subtitle,
  Speakers,
  FullscreenControl,
  PlaylistFiles,
  ContextMenu,
  DvdContextMenu,
  GraphList,
  DragAndDrop,
  News,
};

inline constexpr int kConfigGroupCount = static_cast<int>(TZConfigGroup::News) + 1;
