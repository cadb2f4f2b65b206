// The playlist window over 100,000 entries against a plain list view over a model of the same
// 100,000 captions, on the same machine in the same run: one repaint of the visible rows,
// scrolling by one page, selecting all and removing the selection, and one keystroke of the
// search window against the toolkit's own filter model. Prints medians and ratios.

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QStringListModel>
#include <QTemporaryDir>
#include <cstdio>

#include "benchskin.h"
#include "benchtiming.h"
#include "config/config.h"
#include "playlist/window/playlistsearch.h"
#include "playlist/window/playlistwindow.h"
#include "ui/surfaces.h"

namespace {

constexpr int kEntries = 100'000;

class IdlePlayer : public TZPlaylistPlayer {
 public:
  void PlayEntry(int) override {}
  void Stop() override {}
  bool Playing() const override { return false; }
  bool Paused() const override { return false; }
};

QString CaptionOf(int i) {
  return QStringLiteral("Artist %1 - Title of song number %2").arg(i % 977).arg(i);
}

QStringList Captions() {
  QStringList captions;
  captions.reserve(kEntries);
  for (int i = 0; i < kEntries; ++i) {
    captions << CaptionOf(i);
  }
  return captions;
}

void Fill(TZPlaylist& playlist) {
  playlist.Reserve(kEntries);
  for (int i = 0; i < kEntries; ++i) {
    playlist.Add(CaptionOf(i), QStringLiteral("/music/%1.mp3").arg(i), false, QStringLiteral("00"),
                 QStringLiteral("00:03:%1").arg(i % 60, 2, 10, QLatin1Char('0')));
  }
}

// Median CPU milliseconds of `runs` runs of work, with `prepare` run untimed before each.
double MedianMs(
    int runs, const std::function<void()>& work, const std::function<void()>& prepare = [] {}) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    prepare();
    // Everything measured here runs on this thread.
    const double start = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    work();
    times.push_back((CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - start) * 1e3);
  }
  return Median(times);
}

void Report(const char* what, double ours, const char* baselineName, double baseline,
            const char* aim) {
  std::printf("%-32s %9.3f ms   %-30s %9.3f ms   ratio %.2f   %s\n", what, ours, baselineName,
              baseline, ours / baseline, aim);
}

}  // namespace

int main(int argc, char** argv) {
  ChooseOffscreenPlatform();
  QApplication app(argc, argv);
  QTemporaryDir home;
  TZGUI skin;
  if (!LoadBuiltInSkin(home, skin)) {
    return 1;
  }
  TfrmPlaylist form;
  TZWindows windows;
  windows.Playlist = &form;
  ApplySurfaces(skin, windows);
  form.resize(400, 600);
  TZPlaylist playlist;
  IdlePlayer player;
  TZConfig config;
  TZLanguage language;
  TZPlaylistWindow window(form, playlist, player, skin, config, language);
  Fill(playlist);
  window.Redraw();
  form.show();

  // The baseline: a plain list view of the list area's size in the list's font.
  QStringListModel model(Captions());
  QListView view;
  view.setModel(&model);
  view.setUniformItemSizes(true);
  view.setSelectionMode(QAbstractItemView::ExtendedSelection);
  view.setFont(QFont(skin.Playlist.FontName, skin.Playlist.FontSize));
  view.resize(form.listRect().size());
  view.show();
  QApplication::processEvents();

  const QRect list = form.listRect();
  std::printf("%d entries, list %dx%d, %d visible rows\n", kEntries, list.width(), list.height(),
              window.VisibleRows());

  const double repaint = MedianMs(200, [&] {
    window.SetTopRow(window.TopRow());
    form.repaint(list);
  });
  const double viewRepaint = MedianMs(200, [&] { view.viewport()->repaint(); });
  Report("repaint of the visible rows", repaint, "QListView repaint", viewRepaint,
         "(aim <= 1, < 2 ms)");

  int direction = 1;
  const double page = MedianMs(200, [&] {
    const qint64 next = window.TopRow() + direction * window.VisibleRows();
    if (next < 0 || next > kEntries - window.VisibleRows()) {
      direction = -direction;
    }
    window.SetTopRow(window.TopRow() + direction * window.VisibleRows());
    form.repaint(list);
  });
  QScrollBar& bar = *view.verticalScrollBar();
  direction = 1;
  const double viewPage = MedianMs(200, [&] {
    if (bar.value() + direction * bar.pageStep() > bar.maximum() ||
        bar.value() + direction * bar.pageStep() < 0) {
      direction = -direction;
    }
    bar.setValue(bar.value() + direction * bar.pageStep());
    view.viewport()->repaint();
  });
  Report("scroll by one page", page, "QListView page", viewPage, "(aim <= 1)");

  const double remove = MedianMs(
      5,
      [&] {
        window.SelectAll();
        window.RemoveSelected();
        form.repaint(list);
      },
      [&] {
        Fill(playlist);
        window.Redraw();
      });
  const double viewRemove = MedianMs(
      5,
      [&] {
        view.selectAll();
        const QModelIndexList rows = view.selectionModel()->selectedRows();
        model.removeRows(0, int(rows.size()));
        view.viewport()->repaint();
      },
      [&] { model.setStringList(Captions()); });
  Report("select all + remove selected", remove, "QListView select + remove", viewRemove,
         "(aim <= 1)");

  Fill(playlist);
  TfrmSearch search(window, playlist, config, language);
  search.show();
  QApplication::processEvents();
  const QStringList keys{QStringLiteral("so"), QStringLiteral("son"), QStringLiteral("song 12"),
                         QStringLiteral("song 123")};
  int key = 0;
  const double keystroke =
      MedianMs(20, [&] { search.edtKeyword->setText(keys[key++ % keys.size()]); });
  QSortFilterProxyModel filter;
  filter.setSourceModel(&model);
  filter.setFilterCaseSensitivity(Qt::CaseInsensitive);
  model.setStringList(Captions());
  QListView filtered;
  filtered.setModel(&filter);
  filtered.setUniformItemSizes(true);
  filtered.show();
  key = 0;
  const double viewKeystroke =
      MedianMs(20, [&] { filter.setFilterFixedString(keys[key++ % keys.size()]); });
  // Where a keystroke's time goes: the search alone, by how many entries match, each typed on
  // from the one before as the window's index sees them.
  TZSearchIndex index;
  index.Search(playlist, QString(), skAll);
  for (const QString& typed : keys) {
    std::printf("  search alone for \"%s\": %.3f ms\n", qPrintable(typed),
                MedianMs(9, [&] { index.Search(playlist, typed, skAll); }));
  }
  Report("search keystroke", keystroke, "QSortFilterProxyModel keystroke", viewKeystroke,
         "(aim < 20 ms)");
  return 0;
}
