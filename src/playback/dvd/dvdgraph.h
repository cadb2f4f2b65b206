#pragma once
// The DVD graph: GStreamer's DVD navigator with its decoders, the subpicture overlay, the colour
// controls, a sink that hands each picture to the frame sink, and the audio path through the DSP
// filter (when given), volume and balance to the sound output. It sends the navigator its commands,
// jumps and pointer events and reads where it plays; what the navigator announces on its streams
// arrives as signals, queued to the thread the graph lives on.

#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QPointF>
#include <QString>
#include <QTimer>
#include <memory>

#include "components/graph/zgraph.h"

class TZVideoFrameSink;
struct ZVideoColour;

enum class TZDvdCommand {
  TitleMenu,
  RootMenu,
  SubpictureMenu,
  AudioMenu,
  AngleMenu,
  ChapterMenu,
  Left,
  Right,
  Up,
  Down,
  Activate
};

class TZDvdGraph : public QObject {
  Q_OBJECT
 public:
  TZDvdGraph(TZVideoFrameSink& sink, const ZFilter& dsp, QObject* parent = nullptr);
  ~TZDvdGraph() override;
  TZDvdGraph(const TZDvdGraph&) = delete;
  TZDvdGraph& operator=(const TZDvdGraph&) = delete;

  // Makes the paths behind the navigator as one filter with the inputs "video", "subpicture"
  // and "audio" (the navigator's own output names), not yet in the graph; false when an element
  // is missing.
  bool MakeOutput();
  // That filter, null before MakeOutput.
  const ZFilter& Output() const { return output_; }
  // Puts the navigator for `device` (disc root or image) and the paths behind it into the graph;
  // false when an element is missing.
  bool Build(const QString& device);
  // Takes the navigator a graph script put into the graph. Its outputs join the inputs of the
  // same names as they appear, as after Build.
  bool Adopt(const ZFilter& navigator);
  ZGraph& Graph() { return graph_; }
  // Runs the graph and waits until the first pictures arrived; false when it does not start.
  bool Start(int timeoutMs);
  // Pauses or runs the graph; the state to use instead of the graph's own, as the graph keeps
  // the picture's sink playing after the navigator's flushes while it should play.
  bool SetState(ZGraphState state);

  // Commands and pointer events travel on the worker of the jumps, after those asked for before,
  // so that a navigator busy with a jump never holds the GUI thread.
  bool Command(TZDvdCommand command);
  // Pointer over or released on the picture, in the picture's own pixels.
  bool Pointer(QPointF point, bool released);

  // Jumps and speeds run on a worker: the navigator may hold a seek while it shows a still.
  // Titles and chapters count from 1. A negative rate plays backwards: the navigator plays only
  // forwards, so the graph steps back through the title with a jump every fraction of a second,
  // as far as the speed has taken it, and plays on forwards at normal speed from the title's
  // start once it gets there. A jump, a menu or a forward rate ends the steps.
  void SeekTitle(int title);
  void SeekChapter(int chapter);
  void SeekTime(qint64 milliseconds);
  void SetRate(double rate);

  // Where the navigator plays, by format ("title", "chapter", or "time" in milliseconds, which is
  // where the steps backwards stand while they run); -1 when it does not say.
  qint64 Position(const char* format) const;
  qint64 Duration(const char* format) const;

  // The disc's stream numbers; `shown` false leaves only forced subpictures.
  void SelectAudio(int stream);
  void SelectSubpicture(int stream, bool shown);

  // The picture's colour controls, as for files.
  void SetColour(const ZVideoColour& colour);
  void SetVolume(double linear);
  // -1 (left only) to 1 (right only).
  void SetPanorama(double panorama);

  // The picture last handed to the frame sink (a shared copy); null before the first one.
  QImage LastFrame() const;

  struct Native;

 signals:
  // The navigator's "dvd-lang-codes" announcement as structure text.
  void StreamsAnnounced(const QString& announcement);
  void AudioChosen(int stream);
  void SubpictureChosen(int stream, bool forcedOnly);
  // The menu button the navigator highlights (from 1), 0 when it shows none: until a menu's
  // highlight arrives, the navigator does not know where its buttons are.
  void ButtonHighlighted(int button);

 private:
  void StepBack();
  void EndSteps();
  // Where the steps backwards have got to, in milliseconds of the title.
  qint64 StepPosition() const;

  ZGraph graph_;
  ZFilter output_;
  std::unique_ptr<Native> d_;
  // Playing backwards: the speed (0 while not), where the steps began, and for how long.
  double backSpeed_ = 0;
  qint64 backFromMs_ = 0;
  QElapsedTimer backClock_;
  QTimer backStep_;
};
