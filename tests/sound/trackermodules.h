#pragma once
// Writers of small tracker modules in the XM, IT, S3M and MTM layouts, all playing one song
// description, so the test knows how long each module plays before any player reads it.
//
// Each module has two channels and one short looped 8-bit sample, struck on the first row of
// every pattern. Speed (ticks per row) changes sit on channel 1, tempo changes on channel 2.

#include <QByteArray>
#include <map>
#include <vector>

struct TrackerPattern {
  int rows = 64;
  std::map<int, int> speedAt;  // row -> new speed (1-31)
  std::map<int, int> tempoAt;  // row -> new tempo (32-255)
};

struct TrackerSong {
  int speed = 6;    // initial ticks per row
  int tempo = 125;  // initial tempo; a tick lasts 2.5 / tempo seconds
  std::vector<TrackerPattern> patterns;
  std::vector<int> orders;  // pattern numbers, played once each in this order
};

// Seconds the song plays: the sum over its rows of speed x 2.5 / tempo.
double SongSeconds(const TrackerSong& song);

QByteArray WriteXm(const TrackerSong& song);
QByteArray WriteIt(const TrackerSong& song);
// S3M patterns always have 64 rows.
QByteArray WriteS3m(const TrackerSong& song);
// MTM has no initial speed or tempo (players start at 6 and 125) and one row count for all
// patterns, so its songs must start at 6 and 125 and have patterns of equal length.
QByteArray WriteMtm(const TrackerSong& song);
